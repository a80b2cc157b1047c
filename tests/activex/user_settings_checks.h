#pragma once

// The control in the contract container as users who change their desktop's settings meet it: a
// font twice the design's, the animations in windows turned off, a screen reader listening.
#include <windows.h>

namespace ruvo::activex::testing {

// In a form whose font is twice the design's, the surface grows until no text is clipped: each
// window's text fits the room its Windows control leaves it. Saves a picture of the control with
// an EDD shown, as a PNG file at screenshot.
void largeFont(const wchar_t* screenshot);

// With the animations in windows turned off, a change of input never hides "Calculate EDD":
// the prompt it starts runs to its end at once.
void animationsOff(HWND frame);

// A screen reader hears once of the day list that a month pick resets, and nothing of the list
// the user picked in.
void resetAnnounced(HWND frame);

} // namespace ruvo::activex::testing
