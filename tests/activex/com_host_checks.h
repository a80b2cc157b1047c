#pragma once

// The host checks of com_host_test that live beside its main file.
#include <windows.h>

void connectionPoints(HMODULE library);
void namedArgument();
void drawnWithoutAWindow();
