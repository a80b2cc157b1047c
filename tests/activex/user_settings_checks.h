#pragma once

// The control in the contract container as users who change their desktop's settings meet it: a
// font twice the design's.
#include <windows.h>

namespace ruvo::com::testing {

// In a form whose font is twice the design's, the surface grows until no text is clipped: each
// window's text fits the room its Windows control leaves it. Saves a picture of the control with
// an EDD shown, as a PNG file at screenshot.
void largeFont(const wchar_t* screenshot);

} // namespace ruvo::com::testing
