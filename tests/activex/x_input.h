#pragma once

// Keys and clicks from the X server, as a user's come: xdotool, run by Wine as the Unix program
// it is. The test runs in a virtual display (xvfb-run); the window concerned has the focus.
#include <windows.h>

#include <string>

namespace ruvo::activex::testing {

// Runs xdotool with the arguments ("key Tab", "type 45") and returns once it has sent its events,
// or false if it could not be run.
bool xdotool(const std::wstring& arguments);

// Presses keys, xdotool's names joined by '+' ("Tab", "shift+Tab", "Up", "Return").
bool pressKey(const std::wstring& keys);

// A click of the mouse's left button in the middle of a window.
bool click(HWND window);

} // namespace ruvo::activex::testing
