#pragma once

#include <windows.h>

namespace ruvo::activex {

// Whether Tab (Shift+Tab when backward) from the focused window leaves the control whose window is
// surface: from its last tab stop forward, from its first backward, or from the surface itself.
// The container then moves the focus on; inside, the dialog manager's walk would wrap around and
// keep the keyboard in the control.
bool tabLeaves(HWND surface, HWND focused, bool backward);

} // namespace ruvo::activex
