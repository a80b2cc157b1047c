#pragma once

#include <windows.h>

namespace ruvo::com {

// Records the type library, the class Moravine with its programmatic identifier Ruvo.Moravine,
// and both interfaces with the automation marshaller. A failing step undoes the steps before it
// and returns its HRESULT.
HRESULT registerServer();

// Removes everything registerServer records, and nothing else.
HRESULT unregisterServer();

} // namespace ruvo::com
