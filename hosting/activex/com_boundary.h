#pragma once

#include "host/runtime_error.h"

#include <windows.h>

#include <new>

namespace ruvo::activex {

// The body of a COM method, run so that nothing it throws reaches the caller, a container or a
// script host that knows only HRESULTs: running out of memory comes back as E_OUTOFMEMORY,
// anything else as E_UNEXPECTED. Every method that reaches the control, the view or the standard
// library runs through it; the rest only read or assign plain values and call Windows, which
// throws nothing. Window procedures run behind the view's own firewall.
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

// The same for a method whose run-time errors the caller hears in full: reportError becomes the
// HRESULT it returns (the error's description through IErrorInfo or EXCEPINFO).
template <typename Body, typename ReportError>
HRESULT atBoundary(Body&& body, ReportError&& reportError) noexcept {
    return atBoundary([&]() -> HRESULT {
        try {
            return body();
        } catch (const RuntimeError& error) {
            return reportError(error);
        }
    });
}

} // namespace ruvo::activex
