#include "user_settings_checks.h"

#include "com_check.h"
#include "contract_container.h"
#include "screenshot.h"
#include "win32_view_checks.h"

#include <cstdio>
#include <string>
#include <vector>

namespace ruvo::activex::testing {

namespace {

std::wstring textOf(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::wstring classOf(HWND window) {
    wchar_t name[64] = L"";
    GetClassNameW(window, name, 64);
    return name;
}

BOOL CALLBACK collect(HWND window, LPARAM windows) {
    reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
    return TRUE;
}

// A dc of a window with the window's own font in it.
class FontDc {
  public:
    explicit FontDc(HWND window) : m_window(window), m_dc(GetDC(window)) {
        m_previous =
            SelectObject(m_dc, reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)));
    }
    ~FontDc() {
        SelectObject(m_dc, m_previous);
        ReleaseDC(m_window, m_dc);
    }
    FontDc(const FontDc&) = delete;
    FontDc& operator=(const FontDc&) = delete;

    HDC dc() const { return m_dc; }

    // One line of text: its width, and the font's height.
    SIZE line(const std::wstring& text) const {
        SIZE size{};
        GetTextExtentPoint32W(m_dc, text.c_str(), static_cast<int>(text.size()), &size);
        TEXTMETRICW metrics{};
        GetTextMetricsW(m_dc, &metrics);
        return {size.cx, metrics.tmHeight};
    }

  private:
    HWND m_window;
    HDC m_dc;
    HGDIOBJ m_previous = nullptr;
};

int width(const RECT& rect) {
    return rect.right - rect.left;
}

int height(const RECT& rect) {
    return rect.bottom - rect.top;
}

struct Text {
    std::string where;
    std::wstring text;
    SIZE needs;
    SIZE room;
};

// The texts a window of the surface shows, each with the room its control leaves it as Wine's
// controls draw it: a push button's label inside its focus rectangle, which lies two pixels in
// from its edges; a radio button's after its circle (12 pixels at 96 dots per inch, and one),
// half a zero's width and a pixel further on, with a pixel of focus rectangle after it; a group
// box's title from 8 pixels in to 8 before its right side; a list's item in the field less a
// pixel each side and the one the text starts in; a read-only edit's in its formatting
// rectangle. A label's text wraps as DrawText wraps it, and all its lines count.
std::vector<Text> textsOf(HWND surface, HWND window) {
    const std::wstring kind = classOf(window);
    const std::wstring text = textOf(window);
    std::string where = widgetNameOf(surface, window);
    const FontDc font(window);
    RECT client;
    GetClientRect(window, &client);
    const LONG style = GetWindowLongW(window, GWL_STYLE);
    if (lstrcmpiW(kind.c_str(), L"Button") == 0 && !text.empty()) {
        switch (style & BS_TYPEMASK) {
        case BS_GROUPBOX:
            where = widgetNameOf(surface, GetParent(window)) + " title";
            return {{where, text, font.line(text), {width(client) - 16, height(client)}}};
        case BS_RADIOBUTTON: {
            const int circle = 12 * GetDeviceCaps(font.dc(), LOGPIXELSX) / 96 + 1;
            INT zero = 0;
            GetCharWidthW(font.dc(), L'0', L'0', &zero);
            return {{where,
                     text,
                     font.line(text),
                     {width(client) - circle - zero / 2 - 2, height(client)}}};
        }
        default:
            return {{where, text, font.line(text), {width(client) - 6, height(client) - 6}}};
        }
    }
    if (lstrcmpiW(kind.c_str(), L"ComboBox") == 0) {
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        GetComboBoxInfo(window, &info);
        const SIZE room{width(info.rcItem) - 3, height(info.rcItem) - 3};
        std::vector<Text> items;
        const auto count = SendMessageW(window, CB_GETCOUNT, 0, 0);
        for (LRESULT index = 0; index < count; ++index) {
            std::wstring item(static_cast<std::size_t>(SendMessageW(
                                  window, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0)) +
                                  1,
                              L'\0');
            item.resize(static_cast<std::size_t>(
                SendMessageW(window, CB_GETLBTEXT, static_cast<WPARAM>(index),
                             reinterpret_cast<LPARAM>(item.data()))));
            items.push_back({where + " item", item, font.line(item), room});
        }
        return items;
    }
    if (lstrcmpiW(kind.c_str(), L"Edit") == 0 && !text.empty()) {
        RECT format{};
        SendMessageW(window, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
        return {{where, text, font.line(text), {width(format), height(format)}}};
    }
    // A label; the surface's announcer, which no widget shows, only assistive technology reads.
    const bool announcer = GetParent(window) == surface && GetDlgCtrlID(window) == 0;
    if (lstrcmpiW(kind.c_str(), L"Static") == 0 && !text.empty() && !announcer) {
        RECT wrapped = client;
        DrawTextW(font.dc(), text.c_str(), -1, &wrapped,
                  DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
        return {{where, text, {width(wrapped), height(wrapped)}, {width(client), height(client)}}};
    }
    return {};
}

// No text of the surface's windows is clipped.
void checkTextsFit(HWND surface) {
    std::vector<HWND> windows;
    EnumChildWindows(surface, collect, reinterpret_cast<LPARAM>(&windows));
    int checked = 0;
    int clipped = 0;
    for (HWND window : windows) {
        for (const Text& shown : textsOf(surface, window)) {
            ++checked;
            if (shown.needs.cx <= shown.room.cx && shown.needs.cy <= shown.room.cy)
                continue;
            ++clipped;
            std::printf("FAILED: %s \"%ls\" needs %ldx%ld, has %ldx%ld\n", shown.where.c_str(),
                        shown.text.c_str(), shown.needs.cx, shown.needs.cy, shown.room.cx,
                        shown.room.cy);
        }
    }
    std::printf("%d texts of the surface checked\n", checked);
    CHECK(checked > 100 && clipped == 0);
}

void click(HWND button) {
    SendMessageW(button, BM_CLICK, 0, 0);
}

// The control in a form whose font is face, 16 points high: twice the design's.
void checkLargeFont(const wchar_t* face, bool bold, const wchar_t* screenshot) {
    // Room for a surface twice the design's size, and more.
    HWND frame = CreateWindowExW(0, L"STATIC", L"A host window", WS_POPUP | WS_VISIBLE, 0, 0, 1270,
                                 1010, nullptr, nullptr, nullptr, nullptr);
    ContractSite site(frame);
    site.font = fontOf(16, face, bold);
    IOleObject* object = activate(site, frame);
    if (!object) {
        DestroyWindow(frame);
        return;
    }
    const HWND surface = surfaceOf(object);
    RECT area;
    GetClientRect(surface, &area);
    {
        const FontDc font(childNamed(surface, "ComCalcEDD"));
        wchar_t used[LF_FACESIZE] = L"";
        GetTextFaceW(font.dc(), LF_FACESIZE, used);
        std::printf("%ls%s at 16 points, drawn in %ls: a surface of %ldx%ld\n", face,
                    bold ? " bold" : "", used, area.right, area.bottom);
    }
    // About twice the design's 581x361: grown, if at all, by less than a quarter more.
    CHECK(area.right >= 2 * 581 - 4 && area.right <= 2 * 581 * 5 / 4);
    CHECK(area.bottom >= 2 * 361 - 4 && area.bottom <= 2 * 361 * 5 / 4);

    // A scan on 6 April 2006 with a crown rump length of 45 mm; the EDD shown.
    click(childNamed(surface, "OptCRL"));
    pick(childNamed(surface, "DDVal"), L"45");
    pick(childNamed(surface, "DDLSDateM"), L"April");
    pick(childNamed(surface, "DDLSDateD"), L"6");
    pick(childNamed(surface, "DDLSDateY"), L"2006");
    pump(frame, site, 2500); // the prompt the picks started runs out
    click(childNamed(surface, "ComCalcEDD"));
    pump(frame, site, 2500); // and the question's
    CHECK(textOf(childNamed(surface, "LabEDD")) == L"26 October 2006");
    checkTextsFit(surface);
    if (screenshot)
        CHECK(saveScreenshot(surface, screenshot));

    closeControl(object);
    site.font->Release();
    DestroyWindow(frame);
}

} // namespace

void largeFont(const wchar_t* screenshot) {
    // Tahoma, a dialog's usual font; and two bold faces wider than the design's, in which the
    // surface has to grow beyond twice its size before its texts fit. (Debian's Wine draws
    // Tahoma in Liberation Sans.)
    checkLargeFont(L"Tahoma", false, screenshot);
    checkLargeFont(L"Tahoma", true, nullptr);
    checkLargeFont(L"DejaVu Sans", true, nullptr);
}

namespace {

// Turns the animations in windows off, as a user who asks for reduced motion does, for as long as
// it lives; then back to what they were.
class AnimationsOff {
  public:
    AnimationsOff() {
        SystemParametersInfoW(SPI_GETCLIENTAREAANIMATION, 0, &m_before, 0);
        BOOL animate = TRUE;
        m_off = set(FALSE) && SystemParametersInfoW(SPI_GETCLIENTAREAANIMATION, 0, &animate, 0) &&
                !animate;
    }
    ~AnimationsOff() { set(m_before); }
    AnimationsOff(const AnimationsOff&) = delete;
    AnimationsOff& operator=(const AnimationsOff&) = delete;

    // Whether the desktop took the setting.
    bool off() const { return m_off; }

  private:
    // The setting is for this session only: the user's profile keeps what it had.
    static bool set(BOOL animate) {
        return SystemParametersInfoW(SPI_SETCLIENTAREAANIMATION, 0,
                                     reinterpret_cast<void*>(static_cast<INT_PTR>(animate)), 0);
    }

    BOOL m_before = TRUE;
    bool m_off = false;
};

} // namespace

void animationsOff(HWND frame) {
    const AnimationsOff reducedMotion;
    CHECK(reducedMotion.off()); // Wine keeps the setting while its server runs
    ContractSite site(frame);
    IOleObject* object = activate(site, frame);
    if (!object)
        return;
    const HWND surface = surfaceOf(object);
    const HWND calculate = childNamed(surface, "ComCalcEDD");
    pump(frame, site, 100);
    pick(childNamed(surface, "DDVal"), L"40");
    bool hidden = false;
    for (int look = 0; look < 125; ++look) { // 2.5 s, longer than the prompt's four ticks
        pump(frame, site, 20);
        hidden = hidden || !IsWindowVisible(calculate);
    }
    CHECK(!hidden);
    closeControl(object);
}

namespace {

// What the alerts a screen reader heard said: the text of the window each came from.
std::vector<std::wstring> alerts;

void CALLBACK heardAlert(HWINEVENTHOOK, DWORD, HWND window, LONG, LONG, DWORD, DWORD) {
    alerts.push_back(textOf(window));
}

} // namespace

void resetAnnounced(HWND frame) {
    ContractSite site(frame);
    IOleObject* object = activateAtRest(site, frame);
    if (!object)
        return;
    const HWND surface = surfaceOf(object);
    alerts.clear();
    // As a screen reader listens, out of the control's context: the alerts wait for this thread's
    // message loop.
    const HWINEVENTHOOK hook =
        SetWinEventHook(EVENT_SYSTEM_ALERT, EVENT_SYSTEM_ALERT, nullptr, heardAlert,
                        GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    CHECK(hook != nullptr);
    pick(childNamed(surface, "DDLSDateD"), L"6");
    pump(frame, site, 200);
    pick(childNamed(surface, "DDLSDateM"), L"April");
    pump(frame, site, 200);
    if (hook)
        UnhookWinEvent(hook);
    const std::vector<std::wstring> expected{L"Date of Ultrasound scan, Day, 1"};
    CHECK(alerts == expected);
    for (const std::wstring& alert : alerts)
        std::printf("alert: %ls\n", alert.c_str());
    closeControl(object);
}

} // namespace ruvo::activex::testing
