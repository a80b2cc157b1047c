#pragma once

// Pictures of what the Windows test programs show on the screen, saved for people to look at.
#include <windows.h>

namespace ruvo::activex::testing {

// Saves what window shows on the screen, its frame included, as a PNG file at path.
bool saveScreenshot(HWND window, const wchar_t* path);

} // namespace ruvo::activex::testing
