// The per-call cost of datenice late-bound (IDispatch::Invoke, as a script host calls it) against
// early-bound (the dual interface's vtable), in one process, as a ratio. Runs under Wine; Google
// Benchmark has no Windows build here, so this times its own loops.
#include "hosting/activex/control_ids.h"
#include "hosting/activex/ruvo_h.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>

namespace {

constexpr DISPID datenice_dispid = RUVO_DATENICE_DISPID;
constexpr int calls = 100000;
constexpr int rounds = 5;

double seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

// The fastest of a few rounds, in nanoseconds a call.
template <typename Call>
double nanosecondsPerCall(Call call) {
    double best = 1e9;
    for (int round = 0; round < rounds; ++round) {
        LARGE_INTEGER start, stop;
        QueryPerformanceCounter(&start);
        for (int i = 0; i < calls; ++i)
            call(i);
        QueryPerformanceCounter(&stop);
        best = std::min(best, seconds(start, stop) * 1e9 / calls);
    }
    return best;
}

} // namespace

int main() {
    CoInitialize(nullptr);
    _Moravine* control = nullptr;
    if (FAILED(CoCreateInstance(CLSID_Moravine, nullptr, CLSCTX_INPROC_SERVER, IID__Moravine,
                                reinterpret_cast<void**>(&control)))) {
        std::printf("FAILED: the control is not registered\n");
        return 1;
    }
    // A call that fails, or answers with no text, would time nothing worth timing.
    long failures = 0;
    const double early = nanosecondsPerCall([&](int i) {
        DATE date = 39016 + i % 365;
        BSTR text = nullptr;
        if (FAILED(control->datenice(&date, &text)) || SysStringLen(text) == 0)
            ++failures;
        SysFreeString(text);
    });
    const double late = nanosecondsPerCall([&](int i) {
        VARIANT argument, result;
        argument.vt = VT_DATE;
        argument.date = 39016 + i % 365;
        VariantInit(&result);
        DISPPARAMS parameters{&argument, nullptr, 1, 0};
        if (FAILED(control->Invoke(datenice_dispid, IID_NULL, 0x0409, DISPATCH_METHOD, &parameters,
                                   &result, nullptr, nullptr)) ||
            result.vt != VT_BSTR || SysStringLen(result.bstrVal) == 0)
            ++failures;
        VariantClear(&result);
    });
    std::printf("datenice early-bound: %.0f ns a call\n", early);
    std::printf("datenice late-bound:  %.0f ns a call\n", late);
    std::printf("late-bound / early-bound: %.2f\n", late / early);
    control->Release();
    CoUninitialize();
    if (failures != 0) {
        std::printf("FAILED: %ld calls of datenice failed\n", failures);
        return 1;
    }
    return 0;
}
