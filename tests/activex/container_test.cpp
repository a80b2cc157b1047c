// The control in a real container: a window of Wine's AtlAxWin class creates it by its ProgID.
// The user's picks and presses arrive as the notifications Windows sends for them, and the EDD
// appears in LabEDD's window. Saves a picture of the hosted control:
//   container_test.exe SCREENSHOT.png
#include "com_check.h"
#include "control/core/widget_tree.h"

#include <windows.h>

#include <ole2.h>

// After ole2.h, which declares what GDI+ uses.
#include <gdiplus.h>

#include <cstring>
#include <string>
#include <string_view>

namespace {

using AtlAxWinInit = BOOL(WINAPI*)();
using AtlAxGetControl = HRESULT(WINAPI*)(HWND, IUnknown**);

// A child window's ID is its place in the tree, counting from 1.
int idOf(std::string_view name) {
    const auto tree = ruvo::moravineWidgetTree();
    for (std::size_t i = 0; i < tree.size(); ++i) {
        if (tree[i].name == name)
            return static_cast<int>(i) + 1;
    }
    return -1;
}

struct Search {
    int id;
    HWND found;
};

BOOL CALLBACK matchId(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<Search*>(data);
    if (GetDlgCtrlID(window) != search->id)
        return TRUE;
    search->found = window;
    return FALSE;
}

HWND findChild(HWND root, int id) {
    Search search{id, nullptr};
    EnumChildWindows(root, matchId, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND child(HWND root, std::string_view name) {
    return findChild(root, idOf(name));
}

std::wstring windowText(HWND window) {
    wchar_t buffer[256] = {};
    GetWindowTextW(window, buffer, 256);
    return buffer;
}

void pump() {
    MSG message;
    for (int i = 0; i < 20; ++i) {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(10);
    }
}

// A user's click on a button, as its parent hears of it.
void click(HWND button) {
    SendMessageW(button, BM_CLICK, 0, 0);
    pump();
}

// A user's pick of an item, as the list's parent hears of it.
void pick(HWND list, const wchar_t* item) {
    const auto index = SendMessageW(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                    reinterpret_cast<LPARAM>(item));
    SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageW(GetParent(list), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
    pump();
}

bool savePng(HWND window, const wchar_t* path) {
    RECT area;
    GetWindowRect(window, &area);
    const int width = area.right - area.left, height = area.bottom - area.top;
    HDC screen = GetWindowDC(window);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
    ReleaseDC(window, screen);

    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartupInput input;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);
    bool saved = false;
    {
        Gdiplus::Bitmap image(bitmap, nullptr);
        // The PNG encoder's class identifier.
        const CLSID png = {
            0x557cf406, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
        saved = image.Save(path, &png, nullptr) == Gdiplus::Ok;
    }
    Gdiplus::GdiplusShutdown(token);
    DeleteObject(bitmap);
    return saved;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::printf("usage: container_test SCREENSHOT.png\n");
        return 2;
    }
    OleInitialize(nullptr);
    HMODULE atl = LoadLibraryW(L"atl.dll");
    auto init = reinterpret_cast<AtlAxWinInit>(
        reinterpret_cast<void*>(GetProcAddress(atl, "AtlAxWinInit")));
    auto getControl = reinterpret_cast<AtlAxGetControl>(
        reinterpret_cast<void*>(GetProcAddress(atl, "AtlAxGetControl")));
    CHECK(init && getControl);
    if (!init || !getControl)
        return ruvo::com::testing::summary();
    CHECK(init());

    HWND frame = CreateWindowExW(0, L"STATIC", L"A host window", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                 40, 40, 620, 420, nullptr, nullptr, nullptr, nullptr);
    HWND host = CreateWindowExW(0, L"AtlAxWin", L"Ruvo.Moravine", WS_CHILD | WS_VISIBLE, 10, 10,
                                590, 370, frame, nullptr, nullptr, nullptr);
    pump();
    IUnknown* control = nullptr;
    CHECK(getControl(host, &control) == S_OK && control);
    IOleWindow* window = nullptr;
    HWND surface = nullptr;
    if (control &&
        SUCCEEDED(control->QueryInterface(IID_IOleWindow, reinterpret_cast<void**>(&window)))) {
        window->GetWindow(&surface);
        window->Release();
    }
    CHECK(surface != nullptr);
    if (!surface)
        return ruvo::com::testing::summary();

    // The tree's captions on its windows.
    CHECK(windowText(child(surface, "ComCalcEDD")) == L"Calculate EDD");
    CHECK(windowText(child(surface, "OptCRL")) == L"Crown rump length");
    CHECK(windowText(child(surface, "LabQDOB")) == L"Calculate length of gestation at birth?");
    CHECK(IsWindowVisible(child(surface, "ComCalcEDD")));
    CHECK(!IsWindowVisible(child(surface, "LabEDD")));

    // A scan on 6 April 2006 with a crown rump length of 45 mm.
    click(child(surface, "OptCRL"));
    CHECK(SendMessageW(child(surface, "OptCRL"), BM_GETCHECK, 0, 0) == BST_CHECKED);
    CHECK(SendMessageW(child(surface, "OptBPD"), BM_GETCHECK, 0, 0) == BST_UNCHECKED);
    pick(child(surface, "DDVal"), L"45");
    pick(child(surface, "DDLSDateM"), L"April");
    CHECK(SendMessageW(child(surface, "DDLSDateD"), CB_GETCOUNT, 0, 0) == 30);
    pick(child(surface, "DDLSDateD"), L"6");
    pick(child(surface, "DDLSDateY"), L"2006");
    click(child(surface, "ComCalcEDD"));
    CHECK(windowText(child(surface, "LabEDD")) == L"26 October 2006");
    CHECK(IsWindowVisible(child(surface, "LabEDD")));
    // The question is on view; "Calculate EDD" is not checked here, since the prompt that the
    // picks started keeps blinking it in its own rhythm.
    CHECK(IsWindowVisible(child(surface, "FrameQDOB")));

    CHECK(savePng(frame, std::wstring(argv[1], argv[1] + std::strlen(argv[1])).c_str()));
    if (control)
        control->Release();
    DestroyWindow(frame);
    pump();
    OleUninitialize();
    return ruvo::com::testing::summary();
}
