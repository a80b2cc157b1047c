#include "win32_view_checks.h"

#include "com_check.h"
#include "control/core/widget_tree.h"
#include "control/moravine.h"
#include "dating/date_text.h"
#include "hosting/view/geometry.h"
#include "hosting/view/tab_order.h"

#include <cstdlib>
#include <string>
#include <vector>

namespace ruvo::activex::testing {

namespace {

// A child window's ID is its place in the tree, counting from 1.
int idOf(std::string_view name) {
    const auto tree = moravineWidgetTree();
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

std::string nameOf(HWND surface, HWND window) {
    for (const WidgetRow& row : moravineWidgetTree()) {
        if (childNamed(surface, row.name) == window)
            return std::string(row.name);
    }
    return "(not a widget)";
}

std::string joined(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names)
        text += name + " ";
    return text;
}

// A fresh headless control with every prompt run out.
void settle(Moravine& control) {
    Surface& s = control.surface;
    for (Timer* timer : {&s.Timer1, &s.Timer2, &s.Timer3}) {
        while (timer->enabled())
            (void)control.host.tick(*timer);
    }
}

} // namespace

HWND childNamed(HWND surface, std::string_view name) {
    Search search{idOf(name), nullptr};
    EnumChildWindows(surface, matchId, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void pumpFor(DWORD milliseconds, const std::function<bool()>& done) {
    const ULONGLONG until = GetTickCount64() + milliseconds;
    MSG message;
    while (GetTickCount64() < until && !(done && done())) {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(5);
    }
}

void pick(HWND list, const wchar_t* item) {
    const auto index = SendMessageW(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                    reinterpret_cast<LPARAM>(item));
    SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageW(GetParent(list), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
}

void checkGeometry(HWND surface) {
    HDC screen = GetDC(nullptr);
    const int dotsPerInch = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    auto font =
        reinterpret_cast<HFONT>(SendMessageW(childNamed(surface, "ComCalcEDD"), WM_GETFONT, 0, 0));
    LOGFONTW description{};
    GetObjectW(font, sizeof description, &description);
    const view::ViewScale scale =
        view::ViewScale::forFontPixels(dotsPerInch, std::abs(description.lfHeight));

    int misplaced = 0;
    for (const WidgetRow& row : moravineWidgetTree()) {
        HWND window = childNamed(surface, row.name);
        if (row.kind == WidgetKind::Timer || row.kind == WidgetKind::UserControl)
            continue;
        RECT place{};
        GetWindowRect(window, &place);
        MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&place), 2);
        const view::PixelRect expected = view::toPixels(row.design.geometry, scale);
        // A drop-down list's own height is the field's, which Windows sets by the font.
        const bool list = row.kind == WidgetKind::ComboBox;
        if (place.left != expected.left || place.top != expected.top ||
            place.right - place.left != expected.width ||
            (!list && place.bottom - place.top != expected.height)) {
            ++misplaced;
            std::printf("FAILED: %.*s at %ld,%ld %ldx%ld, not %d,%d %dx%d\n",
                        static_cast<int>(row.name.size()), row.name.data(), place.left, place.top,
                        place.right - place.left, place.bottom - place.top, expected.left,
                        expected.top, expected.width, expected.height);
        }
    }
    CHECK(misplaced == 0);
}

std::vector<std::string> expectedTabStops(const std::function<void(Moravine&)>& actions) {
    const FixedClock clock(parseDate("7 December 2006"));
    Moravine control(clock);
    (void)control.initialize();
    settle(control);
    actions(control);
    settle(control);
    std::vector<std::string> expected;
    for (const Widget* input : view::tabOrderByGroup(control.host)) {
        if (input->canTakeInput())
            expected.push_back(input->name());
    }
    return expected;
}

std::string widgetNameOf(HWND surface, HWND window) {
    return nameOf(surface, window);
}

void checkTabOrder(HWND surface, const std::function<void(Moravine&)>& actions) {
    const std::vector<std::string> expected = expectedTabStops(actions);

    std::vector<std::string> walked;
    HWND first = GetNextDlgTabItem(surface, nullptr, FALSE);
    for (HWND stop = first; stop && walked.size() <= expected.size();) {
        walked.push_back(nameOf(surface, stop));
        stop = GetNextDlgTabItem(surface, stop, FALSE);
        if (stop == first)
            break;
    }
    CHECK(walked == expected);
    if (walked != expected)
        std::printf("walked:   %s\nexpected: %s\n", joined(walked).c_str(),
                    joined(expected).c_str());
}

void checkPromptRhythm(HWND surface) {
    HWND values = childNamed(surface, "DDVal");
    HWND calculate = childNamed(surface, "ComCalcEDD");
    const ULONGLONG started = GetTickCount64();
    pick(values, L"40");
    pumpFor(250);
    pick(values, L"41");
    CHECK(IsWindowVisible(calculate));
    pumpFor(2000, [&] { return !IsWindowVisible(calculate); });
    const ULONGLONG blinked = GetTickCount64() - started;
    // The first form lasts one interval from the first change, 500 ms; started again by the
    // second change it would last until 750 ms.
    CHECK(blinked >= 480 && blinked < 700);
    std::printf("\"Calculate EDD\" blinked away %llu ms after the first change\n", blinked);
    pumpFor(2000, [&] { return false; }); // the prompt runs out
    CHECK(IsWindowVisible(calculate));
}

} // namespace ruvo::activex::testing
