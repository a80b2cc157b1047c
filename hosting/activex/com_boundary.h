#pragma once

#include <windows.h>

#include <new>

namespace ruvo::com {

// The body of a COM method, run so that nothing it throws reaches the caller, a container or a
// script host that knows only HRESULTs: running out of memory comes back as E_OUTOFMEMORY,
// anything else as E_UNEXPECTED. (Window procedures run behind the view's own firewall.)
template <typename Body>
HRESULT atBoundary(Body&& body) noexcept {
    try {
        return body();
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

} // namespace ruvo::com
