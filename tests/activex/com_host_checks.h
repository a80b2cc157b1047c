#pragma once

// The host checks of com_host_test that live beside its main file.
#include <windows.h>

void connectionPoints(HMODULE library);
void namedArgument();
void drawnWithoutAWindow();

// The type library's version and members (com_host_results.cpp).
void typeLibraryVersion();
void resultsMembers();
void resultsEvents();
// A control that shows no result says so through every member, early and late bound.
void nothingOnView();
