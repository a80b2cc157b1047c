#pragma once

#include <windows.h>

namespace ruvo::activex {

// Records the type library, the class Moravine with its programmatic identifier Ruvo.Moravine,
// and both interfaces with the automation marshaller. A failing step undoes the steps before it
// and returns its HRESULT.
HRESULT registerServer();

// Removes everything registerServer records, and nothing else; succeeds when nothing is recorded.
HRESULT unregisterServer();

// Runs registerServer or unregisterServer on the user's own classes, Software\Classes under
// HKEY_CURRENT_USER, instead of the machine's: that needs no administrator rights.
HRESULT forUser(HRESULT (*change)());

} // namespace ruvo::activex
