#include "hosting/activex/dispatch_arguments.h"

#include "host/runtime_error.h"

#include <string>

namespace ruvo::activex {

namespace {

// What a script's variable passed by reference holds.
VARIANT& unwrapped(VARIANT& passed) {
    VARIANT* argument = &passed;
    while (argument->vt == (VT_BYREF | VT_VARIANT) && argument->pvarVal)
        argument = argument->pvarVal;
    return *argument;
}

// The argument as type; the caller clears it. Fails with a type mismatch saying what it takes.
VARIANT converted(VARIANT& passed, VARTYPE type, UINT* badArgument, const std::string& takes) {
    VARIANT value, result;
    VariantInit(&value);
    VariantInit(&result);
    HRESULT outcome = VariantCopyInd(&value, &unwrapped(passed));
    if (SUCCEEDED(outcome))
        outcome = VariantChangeType(&result, &value, 0, type);
    VariantClear(&value);
    if (FAILED(outcome)) {
        if (badArgument)
            *badArgument = 0;
        throw RuntimeError(ErrorKind::TypeMismatch, takes);
    }
    return result;
}

} // namespace

DATE dateIn(VARIANT& passed, UINT* badArgument, std::string_view member) {
    return converted(passed, VT_DATE, badArgument, std::string(member) + " takes a date").date;
}

std::wstring textIn(VARIANT& passed, UINT* badArgument, std::string_view member) {
    const VARIANT& argument = unwrapped(passed);
    if (argument.vt == VT_ERROR && argument.scode == DISP_E_PARAMNOTFOUND)
        return {};
    VARIANT text = converted(passed, VT_BSTR, badArgument, std::string(member) + " takes a text");
    std::wstring result(text.bstrVal, SysStringLen(text.bstrVal));
    VariantClear(&text);
    return result;
}

HRESULT checkNamedArguments(const DISPPARAMS& parameters, UINT* badArgument) {
    for (UINT named = 0; named < parameters.cNamedArgs; ++named) {
        if (parameters.rgdispidNamedArgs[named] != 0) {
            if (badArgument)
                *badArgument = named;
            return DISP_E_PARAMNOTFOUND;
        }
    }
    return S_OK;
}

} // namespace ruvo::activex
