// The control in a container that keeps the OLE control contract to the letter: its own sites,
// host buttons before and after the control, and a message loop that offers every key to the
// active object's TranslateAccelerator before its own dialog manager. Keys and clicks come from
// the X server: the Tab walk, then a keyboard-only session. Then the control in design mode, in the
// form's font, and drawn at another resolution. Run under Wine after registration:
//   contract_container_test.exe
#include "com_check.h"
#include "contract_site.h"
#include "hosting/activex/ruvo_h.h"
#include "picture.h"
#include "win32_view_checks.h"
#include "x_input.h"

#include <ole2.h>
#include <olectl.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using ruvo::com::testing::ContractSite;

// The container's loop: the active object first, then the container's own dialog manager.
void pump(HWND frame, ContractSite& site, DWORD milliseconds) {
    const ULONGLONG end = GetTickCount64() + milliseconds;
    while (GetTickCount64() < end) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            const bool key = message.message >= WM_KEYFIRST && message.message <= WM_KEYLAST;
            if (key && site.active && site.active->TranslateAccelerator(&message) == S_OK)
                continue;
            if (IsDialogMessageW(frame, &message))
                continue;
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(10);
    }
}

// A Tab (Shift+Tab when backward) typed on the keyboard.
void pressTab(bool backward) {
    CHECK(ruvo::com::testing::pressKey(backward ? L"shift+Tab" : L"Tab"));
}

std::string focusName(HWND surface, HWND before, HWND after) {
    const HWND focused = GetFocus();
    if (focused == before)
        return "Before";
    if (focused == after)
        return "After";
    return ruvo::com::testing::widgetNameOf(surface, focused);
}

std::wstring windowTextOf(HWND window) {
    wchar_t text[64] = L"";
    GetWindowTextW(window, text, 64);
    return text;
}

std::string joined(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names)
        text += name + " ";
    return text;
}

HWND surfaceOf(IOleObject* object) {
    IOleWindow* window = nullptr;
    HWND surface = nullptr;
    if (SUCCEEDED(object->QueryInterface(IID_IOleWindow, reinterpret_cast<void**>(&window)))) {
        window->GetWindow(&surface);
        window->Release();
    }
    return surface;
}

IOleObject* activate(ContractSite& site, HWND frame) {
    IOleObject* object = nullptr;
    CHECK(SUCCEEDED(CoCreateInstance(CLSID_Moravine, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                                     reinterpret_cast<void**>(&object))));
    if (!object)
        return nullptr;
    object->SetClientSite(&site);
    RECT place;
    GetClientRect(frame, &place);
    CHECK(SUCCEEDED(object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &site, 0, frame, &place)));
    return object;
}

// Tab from the host's first button walks through the control's inputs in its own order and on
// to the host's last; Shift+Tab walks back. The site hears of the focus coming and going.
void tabThroughTheControl(HWND frame) {
    ContractSite site(frame);
    HWND before = CreateWindowExW(0, L"BUTTON", L"Before", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 10,
                                  8, 80, 24, frame, nullptr, nullptr, nullptr);
    IOleObject* object = activate(site, frame);
    if (!object)
        return;
    const HWND surface = surfaceOf(object);
    HWND after = CreateWindowExW(0, L"BUTTON", L"After", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 500,
                                 420, 80, 24, frame, nullptr, nullptr, nullptr);
    // The host's stacking order is its tab order: its first button, the control, its last.
    SetWindowPos(before, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetWindowPos(surface, before, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetWindowPos(after, surface, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(frame);
    SetFocus(before);
    pump(frame, site, 2500); // the prompts of start-up run out

    std::vector<std::string> expected{"Before"};
    for (const std::string& stop : ruvo::com::testing::expectedTabStops([](ruvo::Moravine&) {}))
        expected.push_back(stop);
    expected.push_back("After");
    expected.push_back("Before");
    std::vector<std::string> walked{focusName(surface, before, after)};
    while (walked.size() < expected.size()) {
        pressTab(false);
        pump(frame, site, 60);
        walked.push_back(focusName(surface, before, after));
    }
    CHECK(walked == expected);
    if (walked != expected)
        std::printf("Tab walked:    %s\n      expected: %s\n", joined(walked).c_str(),
                    joined(expected).c_str());

    std::vector<std::string> back{focusName(surface, before, after)};
    while (back.size() < expected.size()) {
        pressTab(true);
        pump(frame, site, 60);
        back.push_back(focusName(surface, before, after));
    }
    const std::vector<std::string> reversed(expected.rbegin(), expected.rend());
    CHECK(back == reversed);
    if (back != reversed)
        std::printf("Shift+Tab walked: %s\n", joined(back).c_str());

    CHECK(!site.heard.empty() && site.heard.front() == "OnUIActivate");
    const auto count = [&](const char* what) {
        return std::count(site.heard.begin(), site.heard.end(), std::string(what));
    };
    CHECK(count("OnUIActivate") == 1 && count("SetActiveObject") == 1);
    CHECK(count("OnFocus(1)") == 2 && count("OnFocus(0)") == 2); // once each way round
    std::printf("the site heard: %s\n", joined(site.heard).c_str());

    object->Close(OLECLOSE_NOSAVE);
    object->SetClientSite(nullptr);
    object->Release();
    DestroyWindow(before);
    DestroyWindow(after);
}

// Presses key until the focus is on the widget named; gives the names the focus went through.
std::vector<std::string> keyTo(const wchar_t* key, const std::string& name, HWND frame,
                               ContractSite& site, HWND surface) {
    std::vector<std::string> way;
    while (way.size() < 20 && (way.empty() || way.back() != name)) {
        CHECK(ruvo::com::testing::pressKey(key));
        pump(frame, site, 60);
        way.push_back(ruvo::com::testing::widgetNameOf(surface, GetFocus()));
    }
    CHECK(way.back() == name);
    if (way.back() != name)
        std::printf("%ls never reached %s: %s\n", key, name.c_str(), joined(way).c_str());
    return way;
}

std::wstring selectedItem(HWND list) {
    const LRESULT index = SendMessageW(list, CB_GETCURSEL, 0, 0);
    wchar_t item[64] = L"";
    if (index >= 0 && SendMessageW(list, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0) < 64)
        SendMessageW(list, CB_GETLBTEXT, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(item));
    return item;
}

// Picks an item of the focused list from the keyboard: Home, then Down to it. (Wine's lists find
// a typed item by its first character alone.)
void pickByKeys(HWND list, const std::wstring& item, HWND frame, ContractSite& site) {
    const LRESULT index = SendMessageW(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>(item.c_str()));
    CHECK(index >= 0);
    CHECK(ruvo::com::testing::pressKey(L"Home"));
    if (index > 0)
        CHECK(ruvo::com::testing::xdotool(L"key --repeat " + std::to_wstring(index) + L" Down"));
    pump(frame, site, 100);
    CHECK(selectedItem(list) == item);
}

bool isChecked(HWND surface, const char* option) {
    return SendMessageW(ruvo::com::testing::childNamed(surface, option), BM_GETCHECK, 0, 0) ==
           BST_CHECKED;
}

// A keyboard-only session, as a person without a mouse works the control in a container: Tab
// in, the arrows within an option group, the lists, Enter on "Calculate EDD". The focus then
// rests on the result just shown.
void keyboardSession(HWND frame) {
    using ruvo::com::testing::childNamed;
    ContractSite site(frame);
    HWND before = CreateWindowExW(0, L"BUTTON", L"Before", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 10,
                                  8, 80, 24, frame, nullptr, nullptr, nullptr);
    IOleObject* object = activate(site, frame);
    if (!object)
        return;
    const HWND surface = surfaceOf(object);
    SetWindowPos(before, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetWindowPos(surface, before, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(frame);
    SetFocus(before);
    pump(frame, site, 2500); // the prompts of start-up run out

    const auto way = keyTo(L"Tab", "OptBPD", frame, site, surface);
    CHECK(std::find(way.begin(), way.end(), "OptCRL") == way.end());
    CHECK(std::find(way.begin(), way.end(), "OptHC") == way.end());

    // Up from "Biparietal diameter" selects the option above it, as in every front-end, and the
    // focus goes with the selection; Up again wraps round to the last, Down comes back.
    CHECK(ruvo::com::testing::pressKey(L"Up"));
    pump(frame, site, 60);
    CHECK(isChecked(surface, "OptCRL") && !isChecked(surface, "OptBPD"));
    CHECK(ruvo::com::testing::widgetNameOf(surface, GetFocus()) == "OptCRL");
    CHECK(ruvo::com::testing::pressKey(L"Up"));
    pump(frame, site, 60);
    CHECK(isChecked(surface, "OptHC") && !isChecked(surface, "OptCRL"));
    CHECK(ruvo::com::testing::pressKey(L"Down"));
    pump(frame, site, 60);
    CHECK(isChecked(surface, "OptCRL") &&
          ruvo::com::testing::widgetNameOf(surface, GetFocus()) == "OptCRL");

    keyTo(L"shift+Tab", "DDVal", frame, site, surface);
    pickByKeys(childNamed(surface, "DDVal"), L"45", frame, site);
    // The day list follows the month, so the month comes first.
    keyTo(L"shift+Tab", "DDLSDateM", frame, site, surface);
    pickByKeys(childNamed(surface, "DDLSDateM"), L"April", frame, site);
    keyTo(L"Tab", "DDLSDateD", frame, site, surface);
    pickByKeys(childNamed(surface, "DDLSDateD"), L"6", frame, site);
    keyTo(L"Tab", "DDLSDateY", frame, site, surface);
    pickByKeys(childNamed(surface, "DDLSDateY"), L"2006", frame, site);

    // "Calculate EDD" blinks while its prompt runs; Tab passes it by while it is hidden.
    const HWND calculate = childNamed(surface, "ComCalcEDD");
    pump(frame, site, 500);
    for (int wait = 0; wait < 100 && !IsWindowVisible(calculate); ++wait)
        pump(frame, site, 20);
    keyTo(L"Tab", "ComCalcEDD", frame, site, surface);
    CHECK(ruvo::com::testing::pressKey(L"Return"));
    pump(frame, site, 200);
    const HWND edd = childNamed(surface, "LabEDD");
    CHECK(windowTextOf(edd) == L"26 October 2006");
    CHECK(GetFocus() == edd);
    CHECK(ruvo::com::testing::pressKey(L"space"));
    pump(frame, site, 100);
    CHECK(windowTextOf(edd) == L"26 October 2006");
    CHECK(isChecked(surface, "OptCRL"));

    object->Close(OLECLOSE_NOSAVE);
    object->SetClientSite(nullptr);
    object->Release();
    DestroyWindow(before);
}

// In design mode the surface stands still: no prompt blinks, a click changes nothing, and
// datenice still answers. Back in user mode, the control works.
void designMode(HWND frame) {
    ContractSite site(frame);
    site.userMode = false;
    IOleObject* object = activate(site, frame);
    if (!object)
        return;
    const HWND surface = surfaceOf(object);
    const HWND calculate = ruvo::com::testing::childNamed(surface, "ComCalcEDD");
    const HWND crl = ruvo::com::testing::childNamed(surface, "OptCRL");
    bool blinked = false;
    for (int look = 0; look < 30; ++look) {
        pump(frame, site, 50);
        blinked = blinked || !IsWindowVisible(calculate);
    }
    CHECK(!blinked);
    CHECK(ruvo::com::testing::click(crl));
    pump(frame, site, 100);
    CHECK(SendMessageW(crl, BM_GETCHECK, 0, 0) == BST_UNCHECKED);
    _Moravine* control = nullptr;
    CHECK(SUCCEEDED(object->QueryInterface(IID__Moravine, reinterpret_cast<void**>(&control))));
    DATE date = 39016;
    BSTR text = nullptr;
    CHECK(control && control->datenice(&date, &text) == S_OK &&
          std::wstring(text, SysStringLen(text)) == L"26 October 2006");
    SysFreeString(text);

    site.userMode = true;
    IOleControl* ambient = nullptr;
    CHECK(SUCCEEDED(object->QueryInterface(IID_IOleControl, reinterpret_cast<void**>(&ambient))));
    if (ambient) {
        ambient->OnAmbientPropertyChange(DISPID_AMBIENT_USERMODE);
        ambient->Release();
    }
    CHECK(ruvo::com::testing::click(crl));
    pump(frame, site, 100);
    CHECK(SendMessageW(crl, BM_GETCHECK, 0, 0) == BST_CHECKED);
    if (control)
        control->Release();
    object->Close(OLECLOSE_NOSAVE);
    object->SetClientSite(nullptr);
    object->Release();
}

IFontDisp* fontOf(int points) {
    FONTDESC description{sizeof(FONTDESC),
                         const_cast<LPOLESTR>(L"Tahoma"),
                         {},
                         FW_NORMAL,
                         ANSI_CHARSET,
                         FALSE,
                         FALSE,
                         FALSE};
    description.cySize.int64 = static_cast<LONGLONG>(points) * 10000;
    IFontDisp* font = nullptr;
    OleCreateFontIndirect(&description, IID_IFontDisp, reinterpret_cast<void**>(&font));
    return font;
}

int fontPixels(HWND surface) {
    auto font = reinterpret_cast<HFONT>(
        SendMessageW(ruvo::com::testing::childNamed(surface, "ComCalcEDD"), WM_GETFONT, 0, 0));
    LOGFONTW description{};
    GetObjectW(font, sizeof description, &description);
    return std::abs(description.lfHeight);
}

int widthOf(HWND window) {
    RECT place;
    GetWindowRect(window, &place);
    return place.right - place.left;
}

// The form's font reaches the control, and its whole surface scales with it; when the form's
// font changes, so does the control's.
void ambientFont(HWND frame) {
    ContractSite site(frame);
    site.font = fontOf(16);
    CHECK(site.font != nullptr);
    IOleObject* object = activate(site, frame);
    if (!object)
        return;
    HWND surface = surfaceOf(object);
    CHECK(fontPixels(surface) == 21); // 16 points at 96 dots per inch
    CHECK(widthOf(surface) >= 2 * 581 - 4);
    ruvo::com::testing::checkGeometry(surface);

    site.font->Release();
    site.font = fontOf(8);
    IOleControl* control = nullptr;
    CHECK(SUCCEEDED(object->QueryInterface(IID_IOleControl, reinterpret_cast<void**>(&control))));
    if (control) {
        control->OnAmbientPropertyChange(DISPID_AMBIENT_FONT);
        control->Release();
    }
    surface = surfaceOf(object);
    CHECK(fontPixels(surface) == 11);
    CHECK(widthOf(surface) == 581);
    ruvo::com::testing::checkGeometry(surface);
    object->Close(OLECLOSE_NOSAVE);
    object->SetClientSite(nullptr);
    object->Release();
    site.font->Release();
}

// A picture of the surface the control itself draws, size pixels large.
ruvo::com::testing::Picture drawnBy(IOleObject* object, SIZE size) {
    IViewObject* view = nullptr;
    object->QueryInterface(IID_IViewObject, reinterpret_cast<void**>(&view));
    const RECTL bounds{0, 0, size.cx, size.cy};
    auto picture = ruvo::com::testing::drawn(size.cx, size.cy, [&](HDC dc) {
        CHECK(view && view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, dc, &bounds,
                                 nullptr, nullptr, 0) == S_OK);
    });
    if (view)
        view->Release();
    return picture;
}

// A control asked to draw itself twice as large, as for a printer's finer page, draws at that
// resolution: the very picture a control twice as large shows, not its own picture stretched.
void drawnAtTheTargetsResolution(HWND frame) {
    ContractSite large(frame);
    large.font = fontOf(16);
    ContractSite small(frame);
    small.font = fontOf(8);
    IOleObject* largeObject = activate(large, frame);
    IOleObject* smallObject = activate(small, frame);
    if (!largeObject || !smallObject)
        return;
    pump(frame, small, 2500); // the prompts of start-up run out in both
    RECT area;
    GetClientRect(surfaceOf(largeObject), &area);
    const SIZE size{area.right, area.bottom};
    const auto expected = drawnBy(largeObject, size);
    const auto scaled = drawnBy(smallObject, size);
    const double share = ruvo::com::testing::sameShare(scaled, expected);
    std::printf("drawn twice as large: %.1f%% of the pixels as the larger control's\n",
                share * 100);
    CHECK(share >= 0.97);
    for (IOleObject* object : {largeObject, smallObject}) {
        object->Close(OLECLOSE_NOSAVE);
        object->SetClientSite(nullptr);
        object->Release();
    }
    large.font->Release();
    small.font->Release();
}

} // namespace

int main() {
    OleInitialize(nullptr);
    HWND frame = CreateWindowExW(0, L"STATIC", L"A host window", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                 40, 40, 640, 500, nullptr, nullptr, nullptr, nullptr);
    tabThroughTheControl(frame);
    keyboardSession(frame);
    designMode(frame);
    ambientFont(frame);
    drawnAtTheTargetsResolution(frame);
    DestroyWindow(frame);
    OleUninitialize();
    return ruvo::com::testing::summary();
}
