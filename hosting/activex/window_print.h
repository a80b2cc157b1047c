#pragma once

#include <windows.h>

namespace ruvo::activex {

// Draws a window and every shown window inside it, each as it paints itself, into dc with the
// window's top-left corner at the dc's origin: what is on the screen, without the screen, so a
// hidden window draws too.
void printWindowTree(HWND window, HDC dc);

} // namespace ruvo::activex
