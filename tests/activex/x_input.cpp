#include "x_input.h"

namespace ruvo::activex::testing {

// Wine hands back no handle to wait on for a Unix program, so a shell runs xdotool and leaves a
// mark once the events are sent.
bool xdotool(const std::wstring& arguments) {
    const std::wstring mark = L"/tmp/ruvo-xdotool-" + std::to_wstring(GetCurrentProcessId());
    const std::wstring markSeenFromWine = L"Z:" + mark;
    DeleteFileW(markSeenFromWine.c_str());
    std::wstring command =
        L"/bin/sh -c \"/usr/bin/xdotool " + arguments + L" && : > " + mark + L"\"";
    STARTUPINFOW startup{sizeof startup};
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return false;
    const ULONGLONG end = GetTickCount64() + 10000;
    while (GetFileAttributesW(markSeenFromWine.c_str()) == INVALID_FILE_ATTRIBUTES) {
        if (GetTickCount64() > end)
            return false;
        Sleep(5);
    }
    DeleteFileW(markSeenFromWine.c_str());
    return true;
}

bool pressKey(const std::wstring& keys) {
    return xdotool(L"key " + keys);
}

bool click(HWND window) {
    RECT place;
    GetWindowRect(window, &place);
    const std::wstring middle = std::to_wstring((place.left + place.right) / 2) + L" " +
                                std::to_wstring((place.top + place.bottom) / 2);
    return xdotool(L"mousemove " + middle + L" click 1");
}

} // namespace ruvo::activex::testing
