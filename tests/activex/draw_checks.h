#pragma once

// Checks of what the control draws for its container through IViewObject::Draw: into a memory dc
// and into an enhanced metafile played back, it is the picture its window shows.
#include <ole2.h>
#include <windows.h>

namespace ruvo::activex::testing {

// control is active in place, showing its surface in the window surface, with nothing moving
// (every prompt run out).
void checkDrawing(IUnknown* control, HWND surface);

} // namespace ruvo::activex::testing
