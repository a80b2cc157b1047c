// The control in a container that keeps the OLE control contract to the letter: its own sites,
// host buttons before and after the control, and a message loop that offers every key to the
// active object's TranslateAccelerator before its own dialog manager. Keys and clicks come from
// the X server: the Tab walk, a keyboard-only session, and a session whose results the host reads
// and hears of. Then the control in design mode, in a container whose loop is busy, in the form's
// font, and drawn at another resolution; then as users who change their desktop's settings meet
// it. Saves a picture of the control in a font
// twice the design's. Run under Wine after registration:
//   contract_container_test.exe SCREENSHOT.png
#include "com_check.h"
#include "contract_container.h"
#include "contract_site.h"
#include "hosting/activex/ruvo_h.h"
#include "picture.h"
#include "results_session.h"
#include "user_settings_checks.h"
#include "win32_view_checks.h"
#include "x_input.h"

#include <ole2.h>
#include <olectl.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

using ruvo::activex::testing::activate;
using ruvo::activex::testing::closeControl;
using ruvo::activex::testing::ContractSite;
using ruvo::activex::testing::fontOf;
using ruvo::activex::testing::HostForm;
using ruvo::activex::testing::joined;
using ruvo::activex::testing::pump;
using ruvo::activex::testing::surfaceOf;

// A Tab (Shift+Tab when backward) typed on the keyboard.
void pressTab(bool backward) {
    CHECK(ruvo::activex::testing::pressKey(backward ? L"shift+Tab" : L"Tab"));
}

std::string focusName(HWND surface, HWND before, HWND after) {
    const HWND focused = GetFocus();
    if (focused == before)
        return "Before";
    if (focused == after)
        return "After";
    return ruvo::activex::testing::widgetNameOf(surface, focused);
}

// Tab from the host's first button walks through the control's inputs in its own order and on
// to the host's last; Shift+Tab walks back. The site hears of the focus coming and going.
void tabThroughTheControl(HWND frame) {
    HostForm form(frame);
    if (!form.object)
        return;
    const auto focusHere = [&] { return focusName(form.surface, form.before, form.after); };
    ContractSite& site = form.site;

    std::vector<std::string> expected{"Before"};
    for (const std::string& stop : ruvo::activex::testing::expectedTabStops([](ruvo::Moravine&) {}))
        expected.push_back(stop);
    expected.push_back("After");
    expected.push_back("Before");
    std::vector<std::string> walked{focusHere()};
    while (walked.size() < expected.size()) {
        pressTab(false);
        pump(frame, site, 60);
        walked.push_back(focusHere());
    }
    CHECK(walked == expected);
    if (walked != expected)
        std::printf("Tab walked:    %s\n      expected: %s\n", joined(walked).c_str(),
                    joined(expected).c_str());

    std::vector<std::string> back{focusHere()};
    while (back.size() < expected.size()) {
        pressTab(true);
        pump(frame, site, 60);
        back.push_back(focusHere());
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
    const HWND calculate = ruvo::activex::testing::childNamed(surface, "ComCalcEDD");
    const HWND crl = ruvo::activex::testing::childNamed(surface, "OptCRL");
    bool blinked = false;
    for (int look = 0; look < 30; ++look) {
        pump(frame, site, 50);
        blinked = blinked || !IsWindowVisible(calculate);
    }
    CHECK(!blinked);
    CHECK(ruvo::activex::testing::click(crl));
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
    CHECK(ruvo::activex::testing::click(crl));
    pump(frame, site, 100);
    CHECK(SendMessageW(crl, BM_GETCHECK, 0, 0) == BST_CHECKED);
    if (control)
        control->Release();
    closeControl(object);
}

// The container's loop sleeps while "Calculate EDD" blinks, past the tick that would hide it: the
// click the user made on the button as it was shown still calculates, and nothing is refused.
void busyLoop(HWND frame) {
    ContractSite site(frame);
    IOleObject* object = ruvo::activex::testing::activateAtRest(site, frame);
    if (!object)
        return;
    const HWND surface = surfaceOf(object);
    CHECK(ruvo::activex::testing::click(ruvo::activex::testing::childNamed(surface, "OptCRL")));
    pump(frame, site, 100); // the prompt starts with the shown button
    const HWND calculate = ruvo::activex::testing::childNamed(surface, "ComCalcEDD");
    CHECK(IsWindowVisible(calculate));
    CHECK(ruvo::activex::testing::click(calculate));
    Sleep(700); // busy: the click waits in the queue, and the tick falls due unseen
    // Windows queues the input as it comes; Wine reads it from the X server when asked.
    MsgWaitForMultipleObjectsEx(0, nullptr, 0, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    pump(frame, site, 100);
    const HWND edd = ruvo::activex::testing::childNamed(surface, "LabEDD");
    CHECK(GetWindowTextLengthW(edd) > 0);
    CHECK(IsWindowVisible(GetParent(edd)));
    closeControl(object);
}

int fontPixels(HWND surface) {
    auto font = reinterpret_cast<HFONT>(
        SendMessageW(ruvo::activex::testing::childNamed(surface, "ComCalcEDD"), WM_GETFONT, 0, 0));
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
    ruvo::activex::testing::checkGeometry(surface);

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
    ruvo::activex::testing::checkGeometry(surface);
    closeControl(object);
    site.font->Release();
}

// A picture of the surface the control itself draws, size pixels large.
ruvo::activex::testing::Picture drawnBy(IOleObject* object, SIZE size) {
    IViewObject* view = nullptr;
    object->QueryInterface(IID_IViewObject, reinterpret_cast<void**>(&view));
    const RECTL bounds{0, 0, size.cx, size.cy};
    auto picture = ruvo::activex::testing::drawn(size.cx, size.cy, [&](HDC dc) {
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
    const double share = ruvo::activex::testing::sameShare(scaled, expected);
    std::printf("drawn twice as large: %.1f%% of the pixels as the larger control's\n",
                share * 100);
    CHECK(share >= 0.97);
    for (IOleObject* object : {largeObject, smallObject}) {
        closeControl(object);
    }
    large.font->Release();
    small.font->Release();
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::printf("usage: contract_container_test SCREENSHOT.png\n");
        return 2;
    }
    OleInitialize(nullptr);
    HWND frame = CreateWindowExW(0, L"STATIC", L"A host window", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                 40, 40, 640, 500, nullptr, nullptr, nullptr, nullptr);
    tabThroughTheControl(frame);
    ruvo::activex::testing::keyboardSession(frame);
    ruvo::activex::testing::resultsSession(frame);
    designMode(frame);
    busyLoop(frame);
    ambientFont(frame);
    drawnAtTheTargetsResolution(frame);
    ruvo::activex::testing::animationsOff(frame);
    ruvo::activex::testing::resetAnnounced(frame);
    DestroyWindow(frame);
    ruvo::activex::testing::largeFont(
        std::wstring(argv[1], argv[1] + std::strlen(argv[1])).c_str());
    OleUninitialize();
    return ruvo::activex::testing::summary();
}
