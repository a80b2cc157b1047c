#pragma once

#include "host/runtime_error.h"

#include <oaidl.h>
#include <windows.h>

#include <string>
#include <string_view>

namespace ruvo::activex {

// The HRESULT of a run-time error, as a scripting host numbers it: facility 10 (the control's)
// and the error number a script sees in Err.Number (13 type mismatch, 6 overflow, 11 division by
// zero, 5 invalid argument, 380 invalid property value).
HRESULT toHresult(const RuntimeError&);

// Records the error for the caller's IErrorInfo and returns its HRESULT.
HRESULT reportError(const RuntimeError&);

// Fills a dispatch caller's EXCEPINFO from an error and returns DISP_E_EXCEPTION.
HRESULT toException(const RuntimeError&, EXCEPINFO*);

std::wstring widen(const std::string& utf8);
// UTF-8 of UTF-16 text, every character kept, a NUL too.
std::string narrow(std::wstring_view utf16);

} // namespace ruvo::activex
