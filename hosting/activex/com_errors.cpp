#include "hosting/activex/com_errors.h"

#include "hosting/activex/ruvo_h.h"

namespace ruvo::activex {

namespace {

constexpr wchar_t source[] = L"Ruvo.Moravine";

int errorNumber(ErrorKind kind) {
    switch (kind) {
    case ErrorKind::TypeMismatch:
        return 13;
    case ErrorKind::Overflow:
        return 6;
    case ErrorKind::FloatingPoint:
        return 11;
    case ErrorKind::InvalidArgument:
        return 5;
    case ErrorKind::InvalidWidgetUse:
        return 380;
    }
    return 5;
}

} // namespace

std::wstring widen(const std::string& utf8) {
    if (utf8.empty())
        return {};
    const int length =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(),
                        length);
    return wide;
}

std::string narrow(std::wstring_view utf16) {
    if (utf16.empty())
        return {};
    const int length = WideCharToMultiByte(CP_UTF8, 0, utf16.data(), static_cast<int>(utf16.size()),
                                           nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, utf16.data(), static_cast<int>(utf16.size()), utf8.data(),
                        length, nullptr, nullptr);
    return utf8;
}

HRESULT toHresult(const RuntimeError& error) {
    return MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, errorNumber(error.kind()));
}

HRESULT reportError(const RuntimeError& error) {
    ICreateErrorInfo* create = nullptr;
    if (SUCCEEDED(CreateErrorInfo(&create))) {
        const std::wstring description = widen(error.what());
        create->SetGUID(IID__Moravine);
        create->SetSource(const_cast<LPOLESTR>(source));
        create->SetDescription(const_cast<LPOLESTR>(description.c_str()));
        IErrorInfo* info = nullptr;
        if (SUCCEEDED(create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info)))) {
            SetErrorInfo(0, info);
            info->Release();
        }
        create->Release();
    }
    return toHresult(error);
}

HRESULT toException(const RuntimeError& error, EXCEPINFO* exception) {
    if (exception) {
        *exception = {};
        exception->scode = toHresult(error);
        exception->bstrSource = SysAllocString(source);
        exception->bstrDescription = SysAllocString(widen(error.what()).c_str());
    }
    return DISP_E_EXCEPTION;
}

} // namespace ruvo::activex
