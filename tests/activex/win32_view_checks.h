#pragma once

// Checks of the Win32 view of a control that a container has activated, against what the view
// layer says of the same headless control: geometry, the tab order, the prompts' rhythm.
#include "control/moravine.h"

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace ruvo::activex::testing {

// The window showing a widget of the surface, by the widget's name.
HWND childNamed(HWND surface, std::string_view name);

// The widget a window of the surface shows, by name, or "(not a widget)".
std::string widgetNameOf(HWND surface, HWND window);

// The inputs Tab visits in the view layer's tab order, each option group at its selected button,
// in a fresh headless control that actions were done to, with every prompt run out.
std::vector<std::string> expectedTabStops(const std::function<void(Moravine&)>& actions);

// Runs the thread's messages for the time given, or until done says so.
void pumpFor(DWORD milliseconds, const std::function<bool()>& done = {});

// A user's pick of a list's item, as the list's parent hears of it.
void pick(HWND list, const wchar_t* item);

// Every widget's window sits where the view layer puts it, at the screen's dots per inch and in
// the container's font.
void checkGeometry(HWND surface);

// The dialog manager's Tab walk meets the inputs, and the results on view, in the view layer's
// tab order, each option group at its selected button. The control must have done what actions did
// to a fresh headless control, with every prompt run out.
void checkTabOrder(HWND surface, const std::function<void(Moravine&)>& actions);

// Each change starts the "Calculate EDD" prompt; a second change while it runs keeps its rhythm.
void checkPromptRhythm(HWND surface);

} // namespace ruvo::activex::testing
