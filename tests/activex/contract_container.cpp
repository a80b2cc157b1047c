#include "contract_container.h"

#include "com_check.h"
#include "hosting/activex/ruvo_h.h"
#include "win32_view_checks.h"
#include "x_input.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace ruvo::activex::testing {

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

IOleObject* activateAtRest(ContractSite& site, HWND frame) {
    IOleObject* object = activate(site, frame);
    if (object)
        pump(frame, site, 2500);
    return object;
}

std::string joined(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names)
        text += name + " ";
    return text;
}

IFontDisp* fontOf(int points, const wchar_t* face, bool bold) {
    FONTDESC description{sizeof(FONTDESC),
                         const_cast<LPOLESTR>(face),
                         {},
                         static_cast<SHORT>(bold ? FW_BOLD : FW_NORMAL),
                         ANSI_CHARSET,
                         FALSE,
                         FALSE,
                         FALSE};
    description.cySize.int64 = static_cast<LONGLONG>(points) * 10000;
    IFontDisp* font = nullptr;
    OleCreateFontIndirect(&description, IID_IFontDisp, reinterpret_cast<void**>(&font));
    return font;
}

void closeControl(IOleObject* object) {
    object->Close(OLECLOSE_NOSAVE);
    object->SetClientSite(nullptr);
    object->Release();
}

namespace {

HWND hostButton(HWND frame, const wchar_t* caption, int left, int top) {
    return CreateWindowExW(0, L"BUTTON", caption, WS_CHILD | WS_VISIBLE | WS_TABSTOP, left, top, 80,
                           24, frame, nullptr, nullptr, nullptr);
}

} // namespace

HostForm::HostForm(HWND window) : frame(window) {
    before = hostButton(frame, L"Before", 10, 8);
    object = activate(site, frame);
    if (!object)
        return;
    surface = surfaceOf(object);
    after = hostButton(frame, L"After", 500, 420);
    // The host's stacking order is its tab order.
    SetWindowPos(before, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetWindowPos(surface, before, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetWindowPos(after, surface, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(frame);
    SetFocus(before);
    pump(frame, site, 2500);
}

HostForm::~HostForm() {
    if (object)
        closeControl(object);
    DestroyWindow(before);
    if (after)
        DestroyWindow(after);
}

namespace {

std::wstring windowTextOf(HWND window) {
    wchar_t text[64] = L"";
    GetWindowTextW(window, text, 64);
    return text;
}

// Presses key until the focus is on the widget named; gives the names the focus went through.
std::vector<std::string> keyTo(const wchar_t* key, const std::string& name, HWND frame,
                               ContractSite& site, HWND surface) {
    std::vector<std::string> way;
    while (way.size() < 20 && (way.empty() || way.back() != name)) {
        CHECK(pressKey(key));
        pump(frame, site, 60);
        way.push_back(widgetNameOf(surface, GetFocus()));
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

bool isChecked(HWND surface, const char* option) {
    return SendMessageW(childNamed(surface, option), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

} // namespace

void pickByKeys(HWND list, const std::wstring& item, HWND frame, ContractSite& site) {
    const LRESULT index = SendMessageW(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>(item.c_str()));
    CHECK(index >= 0);
    CHECK(pressKey(L"Home"));
    if (index > 0)
        CHECK(xdotool(L"key --repeat " + std::to_wstring(index) + L" Down"));
    pump(frame, site, 100);
    CHECK(selectedItem(list) == item);
}

void keyboardSession(HWND frame) {
    HostForm form(frame);
    if (!form.object)
        return;
    ContractSite& site = form.site;
    const HWND surface = form.surface;

    const auto way = keyTo(L"Tab", "OptBPD", frame, site, surface);
    CHECK(std::find(way.begin(), way.end(), "OptCRL") == way.end());
    CHECK(std::find(way.begin(), way.end(), "OptHC") == way.end());

    // Up from "Biparietal diameter" selects the option above it, as in every front-end, and the
    // focus goes with the selection; Up again wraps round to the last, Down comes back.
    CHECK(pressKey(L"Up"));
    pump(frame, site, 60);
    CHECK(isChecked(surface, "OptCRL") && !isChecked(surface, "OptBPD"));
    CHECK(widgetNameOf(surface, GetFocus()) == "OptCRL");
    CHECK(pressKey(L"Up"));
    pump(frame, site, 60);
    CHECK(isChecked(surface, "OptHC") && !isChecked(surface, "OptCRL"));
    CHECK(pressKey(L"Down"));
    pump(frame, site, 60);
    CHECK(isChecked(surface, "OptCRL") && widgetNameOf(surface, GetFocus()) == "OptCRL");

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
    CHECK(pressKey(L"Return"));
    pump(frame, site, 200);
    const HWND edd = childNamed(surface, "LabEDD");
    CHECK(windowTextOf(edd) == L"26 October 2006");
    CHECK(GetFocus() == edd);
    CHECK(pressKey(L"space"));
    pump(frame, site, 100);
    CHECK(windowTextOf(edd) == L"26 October 2006");
    CHECK(isChecked(surface, "OptCRL"));
}

} // namespace ruvo::activex::testing
