#pragma once

#include <windows.h>

#include <string>

namespace ruvo::activex {

// The library's handle, set when Windows loads it.
HINSTANCE moduleHandle();
// The library file's full path.
std::wstring modulePath();

// Live objects and class-factory locks: the library may be unloaded when both are zero.
void objectCreated();
void objectDestroyed();
void lockServer(bool lock);
bool canUnload();

} // namespace ruvo::activex
