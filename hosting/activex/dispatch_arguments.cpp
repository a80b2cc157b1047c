#include "hosting/activex/dispatch_arguments.h"

#include "host/runtime_error.h"

#include <string>

namespace ruvo::activex {

DATE dateIn(VARIANT& passed, UINT* badArgument, std::string_view member) {
    VARIANT* argument = &passed;
    while (argument->vt == (VT_BYREF | VT_VARIANT) && argument->pvarVal)
        argument = argument->pvarVal;
    VARIANT value, date;
    VariantInit(&value);
    VariantInit(&date);
    HRESULT outcome = VariantCopyInd(&value, argument);
    if (SUCCEEDED(outcome))
        outcome = VariantChangeType(&date, &value, 0, VT_DATE);
    VariantClear(&value);
    if (FAILED(outcome)) {
        if (badArgument)
            *badArgument = 0;
        throw RuntimeError(ErrorKind::TypeMismatch, std::string(member) + " takes a date");
    }
    return date.date;
}

std::wstring textIn(VARIANT& passed, UINT* badArgument, std::string_view member) {
    VARIANT* argument = &passed;
    while (argument->vt == (VT_BYREF | VT_VARIANT) && argument->pvarVal)
        argument = argument->pvarVal;
    if (argument->vt == VT_ERROR && argument->scode == DISP_E_PARAMNOTFOUND)
        return {};
    VARIANT value, text;
    VariantInit(&value);
    VariantInit(&text);
    HRESULT outcome = VariantCopyInd(&value, argument);
    if (SUCCEEDED(outcome))
        outcome = VariantChangeType(&text, &value, 0, VT_BSTR);
    VariantClear(&value);
    if (FAILED(outcome)) {
        if (badArgument)
            *badArgument = 0;
        throw RuntimeError(ErrorKind::TypeMismatch, std::string(member) + " takes a text");
    }
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
