// The control in a real container: a window of Wine's AtlAxWin class creates it by its ProgID.
// The user's picks and presses arrive as the notifications Windows sends for them, and the EDD
// appears in LabEDD's window. Saves a picture of the hosted control:
//   container_test.exe SCREENSHOT.png
#include "com_check.h"
#include "draw_checks.h"
#include "screenshot.h"
#include "win32_view_checks.h"

#include <ole2.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <string_view>

namespace {

using AtlAxWinInit = BOOL(WINAPI*)();
using AtlAxGetControl = HRESULT(WINAPI*)(HWND, IUnknown**);

HWND child(HWND surface, std::string_view name) {
    return ruvo::activex::testing::childNamed(surface, name);
}

std::wstring windowText(HWND window) {
    wchar_t buffer[256] = {};
    GetWindowTextW(window, buffer, 256);
    return buffer;
}

void pump() {
    ruvo::activex::testing::pumpFor(200);
}

// A user's click on a button, as its parent hears of it.
void click(HWND button) {
    SendMessageW(button, BM_CLICK, 0, 0);
    pump();
}

// A user's pick of an item, then the time the control takes to show it.
void pick(HWND list, const wchar_t* item) {
    ruvo::activex::testing::pick(list, item);
    pump();
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
        return ruvo::activex::testing::summary();
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
        return ruvo::activex::testing::summary();

    // The tree's captions on its windows.
    CHECK(windowText(child(surface, "ComCalcEDD")) == L"Calculate EDD");
    CHECK(windowText(child(surface, "OptCRL")) == L"Crown rump length");
    CHECK(windowText(child(surface, "LabQDOB")) == L"Calculate length of gestation at birth?");
    CHECK(IsWindowVisible(child(surface, "ComCalcEDD")));
    CHECK(!IsWindowVisible(child(surface, "LabEDD")));
    ruvo::activex::testing::checkGeometry(surface);
    ruvo::activex::testing::pumpFor(2200); // the prompts of start-up run out
    ruvo::activex::testing::checkTabOrder(surface, [](ruvo::Moravine&) {});
    ruvo::activex::testing::checkPromptRhythm(surface);

    // A scan on 6 April 2006 with a crown rump length of 45 mm.
    click(child(surface, "OptCRL"));
    CHECK(SendMessageW(child(surface, "OptCRL"), BM_GETCHECK, 0, 0) == BST_CHECKED);
    CHECK(SendMessageW(child(surface, "OptBPD"), BM_GETCHECK, 0, 0) == BST_UNCHECKED);
    pick(child(surface, "DDVal"), L"45");
    pick(child(surface, "DDLSDateM"), L"April");
    CHECK(SendMessageW(child(surface, "DDLSDateD"), CB_GETCOUNT, 0, 0) == 30);
    pick(child(surface, "DDLSDateD"), L"6");
    pick(child(surface, "DDLSDateY"), L"2006");
    ruvo::activex::testing::pumpFor(2200); // the prompt the picks started runs out
    click(child(surface, "ComCalcEDD"));
    CHECK(windowText(child(surface, "LabEDD")) == L"26 October 2006");
    CHECK(IsWindowVisible(child(surface, "LabEDD")));
    CHECK(IsWindowVisible(child(surface, "FrameQDOB")));
    CHECK(!IsWindowVisible(child(surface, "ComCalcEDD")));
    ruvo::activex::testing::pumpFor(2200); // the question's prompt runs out
    // The EDD is a stop of Tab now.
    ruvo::activex::testing::checkTabOrder(surface, [](ruvo::Moravine& headless) {
        ruvo::Surface& s = headless.surface;
        (void)headless.host.click(s.OptCRL);
        (void)headless.host.pick(s.DDVal, "45");
        (void)headless.host.pick(s.DDLSDateM, "April");
        (void)headless.host.pick(s.DDLSDateD, "6");
        (void)headless.host.pick(s.DDLSDateY, "2006");
        (void)headless.host.click(s.ComCalcEDD);
    });

    ruvo::activex::testing::checkDrawing(control, surface);
    CHECK(ruvo::activex::testing::saveScreenshot(
        frame, std::wstring(argv[1], argv[1] + std::strlen(argv[1])).c_str()));
    if (control)
        control->Release();
    DestroyWindow(frame);
    pump();
    OleUninitialize();
    return ruvo::activex::testing::summary();
}
