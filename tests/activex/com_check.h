#pragma once

// A few lines of test harness for the Windows test programs, which run under Wine without
// GoogleTest: each check prints what failed, and the program ends with "N passed, N failed".
#include <windows.h>

#include <oleauto.h>

#include <cstdio>
#include <string>

namespace ruvo::activex::testing {

inline int passed = 0;
inline int failed = 0;

inline void check(bool condition, const char* what, int line) {
    if (condition) {
        ++passed;
    } else {
        ++failed;
        std::printf("FAILED (line %d): %s\n", line, what);
    }
}

inline int summary() {
    std::printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}

} // namespace ruvo::activex::testing

#define CHECK(condition) ::ruvo::activex::testing::check((condition), #condition, __LINE__)

namespace ruvo::activex::testing {

// The description of the error the thread's last failed call recorded; checks that there is one.
inline std::wstring lastErrorDescription() {
    IErrorInfo* info = nullptr;
    CHECK(GetErrorInfo(0, &info) == S_OK && info);
    if (!info)
        return {};
    BSTR description = nullptr;
    info->GetDescription(&description);
    std::wstring text = description ? std::wstring(description, SysStringLen(description)) : L"";
    SysFreeString(description);
    info->Release();
    return text;
}

} // namespace ruvo::activex::testing
