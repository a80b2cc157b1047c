#pragma once

#include <oaidl.h>

#include <string>
#include <string_view>

namespace ruvo::activex {

// The date a script passed, by value or by reference, in any type that converts to one. Anything
// else is a type mismatch, a run-time error that names member ("datenice takes a date"); the
// argument's position, 0, goes to badArgument.
DATE dateIn(VARIANT& passed, UINT* badArgument, std::string_view member);

// The text a script passed, by value or by reference, in any type that converts to text; an
// optional argument left out (VT_ERROR, DISP_E_PARAMNOTFOUND) is "". Anything else is a type
// mismatch, as for dateIn.
std::wstring textIn(VARIANT& passed, UINT* badArgument, std::string_view member);

// DISP_E_PARAMNOTFOUND for an argument passed by a name other than the member's one parameter
// (DISPID 0), as VBA's ctl.datenice(xdate:=d) passes it; S_OK otherwise.
HRESULT checkNamedArguments(const DISPPARAMS& parameters, UINT* badArgument);

} // namespace ruvo::activex
