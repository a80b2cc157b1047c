#include "hosting/activex/win32_view.h"

#include "host/temporary_change.h"
#include "hosting/activex/com_errors.h"
#include "hosting/activex/module.h"
#include "hosting/activex/resource_ids.h"
#include "hosting/activex/window_print.h"
#include "hosting/view/accessibility.h"
#include "hosting/view/colors.h"
#include "hosting/view/firewall.h"
#include "hosting/view/tab_order.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <utility>
#include <vector>

namespace ruvo::activex {

namespace {

constexpr wchar_t controlClass[] = L"RuvoMoravine";
constexpr wchar_t frameClass[] = L"RuvoFrame";
constexpr wchar_t groupBoxProperty[] = L"RuvoGroupBox";

void registerClasses() {
    static const bool registered = [] {
        WNDCLASSEXW window{};
        window.cbSize = sizeof window;
        window.hInstance = moduleHandle();
        window.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
        window.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
        window.cbWndExtra = sizeof(void*);
        window.lpfnWndProc = DefWindowProcW;
        window.lpszClassName = controlClass;
        RegisterClassExW(&window);
        window.lpszClassName = frameClass;
        RegisterClassExW(&window);
        return true;
    }();
    (void)registered;
}

Win32View* viewOf(HWND window) {
    return reinterpret_cast<Win32View*>(GetWindowLongPtrW(window, 0));
}

// The one Windows timer of a control window.
constexpr UINT_PTR hostTimeTimer = 1;

// Room a Windows control keeps around its text: a group box's title inset, a push button's
// bevel, a list's field edges.
constexpr int titleInset = 10;
constexpr int bevel = 3;
constexpr int fieldEdges = 6;
// A radio button's circle is 12 pixels at 96 dots per inch, and one; its text begins half a
// zero's width after it, and the text's focus rectangle takes a pixel each side. (SM_CXMENUCHECK
// is a menu's check mark, and smaller.)
constexpr int circleAt96 = 12;
constexpr int focusRectangle = 2;

COLORREF colorRef(view::Rgb color) {
    return RGB(color.red, color.green, color.blue);
}

// Runs a window procedure's work behind the firewall: whatever it throws stays in the control.
} // namespace

Win32View::Win32View(view::Presenter& presenter, HWND parent, const RECT& position, HFONT font)
    : m_presenter(presenter) {
    registerClasses();
    takeFont(parent, font);
    m_logo = static_cast<HBITMAP>(LoadImageW(moduleHandle(), MAKEINTRESOURCEW(RUVO_LOGO_BITMAP),
                                             IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
    m_window = CreateWindowExW(WS_EX_CONTROLPARENT, controlClass, L"Moravine",
                               WS_CHILD | WS_CLIPCHILDREN, position.left, position.top, 0, 0,
                               parent, nullptr, moduleHandle(), nullptr);
    SetWindowLongPtrW(m_window, 0, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrW(m_window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(controlProcedure));
    m_windows[&m_presenter.control().host.control()] = m_window;
    m_announcer = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_NOPREFIX, 0, 0, 1,
                                  1, m_window, nullptr, moduleHandle(), nullptr);
}

Win32View::~Win32View() {
    if (m_attached)
        m_presenter.detach();
    KillTimer(m_window, hostTimeTimer);
    DestroyWindow(m_window);
    for (const auto& [color, handle] : m_brushes)
        DeleteObject(handle);
    if (m_logo)
        DeleteObject(m_logo);
}

void Win32View::attach() {
    m_presenter.attach(*this);
    m_attached = true;
    orderTabs();
}

void Win32View::showOnce() {
    m_presenter.showOnce(*this);
}

// The container's font where its window has one, else the desktop's font for dialogs.
void Win32View::takeFont(HWND parent, HFONT font) {
    if (!font)
        font = reinterpret_cast<HFONT>(SendMessageW(parent, WM_GETFONT, 0, 0));
    if (!font)
        font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    m_font = font;
    LOGFONTW description{};
    GetObjectW(font, sizeof description, &description);
    HDC screen = GetDC(nullptr);
    const int dotsPerInch = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    m_fontScale = view::ViewScale::forFontPixels(dotsPerInch, std::abs(description.lfHeight));
}

HWND Win32View::windowOf(const Widget& model) const {
    return m_windows.at(&model);
}

void Win32View::place(const RECT& position) {
    SetWindowPos(m_window, nullptr, position.left, position.top, position.right - position.left,
                 position.bottom - position.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32View::show(bool visible) {
    ShowWindow(m_window, visible ? SW_SHOWNA : SW_HIDE);
}

void Win32View::createView(const Widget& model) {
    HWND parent = windowOf(*model.parent());
    const wchar_t* windowClass = L"STATIC";
    DWORD style = WS_CHILD;
    DWORD extended = 0;
    switch (model.kind()) {
    case WidgetKind::Frame:
        windowClass = frameClass;
        style |= WS_CLIPSIBLINGS;
        extended = WS_EX_CONTROLPARENT;
        break;
    case WidgetKind::Label:
        if (view::accessibleRole(model) == view::Role::ResultText) {
            // Read-only text that Tab reaches, so a screen reader can read it again.
            windowClass = L"EDIT";
            style |= ES_READONLY | ES_AUTOHSCROLL | WS_TABSTOP |
                     static_cast<DWORD>(model.alignment() == TextAlignment::Center ? ES_CENTER
                                                                                   : ES_LEFT);
        } else {
            style |= static_cast<DWORD>(model.alignment() == TextAlignment::Center ? SS_CENTER
                                                                                   : SS_LEFT) |
                     DWORD{SS_NOPREFIX};
        }
        if (model.border() == BorderStyle::FixedSingle)
            style |= WS_BORDER;
        break;
    case WidgetKind::OptionButton:
        windowClass = L"BUTTON";
        style |= BS_RADIOBUTTON | BS_NOTIFY | WS_TABSTOP;
        break;
    case WidgetKind::ComboBox:
        windowClass = L"COMBOBOX";
        style |= CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
        break;
    case WidgetKind::CommandButton:
        windowClass = L"BUTTON";
        style |= BS_PUSHBUTTON | BS_NOTIFY | WS_TABSTOP;
        break;
    case WidgetKind::PictureBox:
        style |= SS_BITMAP | SS_CENTERIMAGE;
        extended = WS_EX_CLIENTEDGE;
        break;
    default:
        break;
    }
    // Each child window's ID is its place in the tree, counting from 1.
    const auto& widgets = m_presenter.control().host.widgets();
    const auto id =
        static_cast<UINT_PTR>(std::find(widgets.begin(), widgets.end(), &model) - widgets.begin());
    HWND window = CreateWindowExW(extended, windowClass, L"", style, 0, 0, 0, 0, parent,
                                  reinterpret_cast<HMENU>(id), moduleHandle(), nullptr);
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(m_font), FALSE);
    if (model.kind() == WidgetKind::Frame) {
        // The frame window carries the children; a group box inside it draws caption and border.
        SetWindowLongPtrW(window, 0, reinterpret_cast<LONG_PTR>(this));
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(frameProcedure));
        HWND box = CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 0, 0, 0,
                                   0, window, nullptr, moduleHandle(), nullptr);
        SendMessageW(box, WM_SETFONT, reinterpret_cast<WPARAM>(m_font), FALSE);
        SetPropW(window, groupBoxProperty, box);
    }
    if (model.kind() == WidgetKind::PictureBox && m_logo)
        SendMessageW(window, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(m_logo));
    if (model.kind() == WidgetKind::OptionButton)
        takeArrowKeys(window);
    m_windows[&model] = window;
    m_widgets[window] = &model;
}

void Win32View::placeView(const Widget& model, const view::PixelRect& rect) {
    // A list's height is the drop-down's: room for a dozen items below the field.
    const int height = model.kind() == WidgetKind::ComboBox ? rect.height * 10 : rect.height;
    // The container places the surface; the presenter sizes it.
    const UINT surface = model.kind() == WidgetKind::UserControl ? SWP_NOMOVE : 0;
    SetWindowPos(windowOf(model), nullptr, rect.left, rect.top, rect.width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE | surface);
}

void Win32View::print(HDC dc) const {
    printWindowTree(m_window, dc);
}

SIZE Win32View::size() const {
    RECT area;
    GetWindowRect(m_window, &area);
    return {area.right - area.left, area.bottom - area.top};
}

// Siblings are stacked so that the dialog manager's walk through the frames meets the inputs in
// the tab order.
void Win32View::orderTabs() {
    std::unordered_map<const Widget*, HWND> previous;
    for (const Widget* model : view::stackingOrder(m_presenter.control().host)) {
        if (!m_windows.contains(model) || model->kind() == WidgetKind::UserControl)
            continue; // a timer
        HWND& last = previous[model->parent()];
        SetWindowPos(windowOf(*model), last ? last : HWND_TOP, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        last = windowOf(*model);
    }
}

LRESULT Win32View::entry(Win32View& view, UINT message, WPARAM w, LPARAM l) {
    LRESULT result = 0;
    {
        const TemporaryChange nested(view.m_entries, view.m_entries + 1);
        if (auto error = view::guarded([&] {
                result = view.handle(message, w, l);
                return std::optional<RuntimeError>();
            }))
            view.reportError(*error);
    }
    if (view.m_entries > 0 || !(view.m_resultsDue.edd || view.m_resultsDue.gestationAtBirth))
        return result;
    // Kept here: the host may destroy the view as it hears of the results.
    const auto tell = view.onResultsChange;
    const view::ResultsMoved moved = std::exchange(view.m_resultsDue, {});
    if (tell)
        tell(moved);
    return result;
}

void Win32View::resultsChanged(const view::HostResults&, view::ResultsMoved moved) {
    m_resultsDue.edd |= moved.edd;
    m_resultsDue.gestationAtBirth |= moved.gestationAtBirth;
    // Outside any window message (a host's call into the model) the host hears at once.
    if (m_entries == 0 && onResultsChange)
        onResultsChange(std::exchange(m_resultsDue, {}));
}

LRESULT CALLBACK Win32View::controlProcedure(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (Win32View* view = viewOf(window))
        return entry(*view, message, w, l);
    return DefWindowProcW(window, message, w, l);
}

// A frame passes its children's notifications and colour questions on to the control window.
LRESULT CALLBACK Win32View::frameProcedure(HWND window, UINT message, WPARAM w, LPARAM l) {
    Win32View* view = viewOf(window);
    switch (message) {
    case WM_COMMAND:
    case arrowKeyMessage:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
        if (view)
            return entry(*view, message, w, l);
        break;
    case WM_SIZE:
        if (HWND box = static_cast<HWND>(GetPropW(window, groupBoxProperty)))
            MoveWindow(box, 0, 0, LOWORD(l), HIWORD(l), TRUE);
        break;
    case WM_NCDESTROY:
        RemovePropW(window, groupBoxProperty);
        break;
    default:
        break;
    }
    return DefWindowProcW(window, message, w, l);
}

LRESULT Win32View::handle(UINT message, WPARAM w, LPARAM l) {
    switch (message) {
    case WM_COMMAND:
        if (l)
            command(reinterpret_cast<HWND>(l), HIWORD(w));
        return 0;
    case WM_TIMER:
        if (w == hostTimeTimer)
            m_presenter.timerFired();
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case focusCheckMessage:
        focusMoved();
        return 0;
    case arrowKeyMessage:
        pressArrow(reinterpret_cast<HWND>(l), w);
        return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
        return colour(message, reinterpret_cast<HDC>(w), reinterpret_cast<HWND>(l));
    default:
        return DefWindowProcW(m_window, message, w, l);
    }
}

void Win32View::setDesignMode(bool design) {
    // A disabled window's children take no input, and look as they did.
    EnableWindow(m_window, !design);
    m_presenter.setDesignMode(design);
}

void Win32View::reportError(const std::string& message) {
    m_lastError = message;
    OutputDebugStringW((L"Ruvo.Moravine: " + widen(message) + L"\n").c_str());
}

HBRUSH Win32View::brush(COLORREF color) {
    auto& handle = m_brushes[color];
    if (!handle)
        handle = CreateSolidBrush(color);
    return handle;
}

// Windows's own colours, but where the tree gives a widget colours of its own.
LRESULT Win32View::colour(UINT message, HDC dc, HWND child) {
    auto found = m_widgets.find(child);
    if (found == m_widgets.end()) {
        // The drop-down part of a list, or a frame's group box.
        for (const auto& [window, model] : m_widgets) {
            COMBOBOXINFO info{};
            info.cbSize = sizeof info;
            if (model->kind() == WidgetKind::ComboBox && GetComboBoxInfo(window, &info) &&
                info.hwndList == child) {
                found = m_widgets.find(window);
                break;
            }
        }
    }
    const LRESULT standard = DefWindowProcW(m_window, message, reinterpret_cast<WPARAM>(dc),
                                            reinterpret_cast<LPARAM>(child));
    if (found == m_widgets.end())
        return standard;
    const auto own = m_ownColors.find(found->second);
    if (own == m_ownColors.end())
        return standard;
    if (own->second.fore)
        SetTextColor(dc, colorRef(*own->second.fore));
    if (!own->second.back)
        return standard;
    SetBkColor(dc, colorRef(*own->second.back));
    return reinterpret_cast<LRESULT>(brush(colorRef(*own->second.back)));
}

void Win32View::showCaption(const Widget& model, const std::string& caption) {
    HWND window = windowOf(model);
    if (model.kind() == WidgetKind::Frame)
        window = static_cast<HWND>(GetPropW(window, groupBoxProperty));
    if (model.kind() != WidgetKind::PictureBox)
        SetWindowTextW(window, widen(caption).c_str());
}

void Win32View::showVisible(const Widget& model, bool visible) {
    ShowWindow(windowOf(model), visible ? SW_SHOWNA : SW_HIDE);
}

void Win32View::showEnabled(const Widget& model, bool enabled) {
    EnableWindow(windowOf(model), enabled);
}

void Win32View::showChecked(const Widget& option, bool checked) {
    SendMessageW(windowOf(option), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void Win32View::showSelection(const Widget& list, std::optional<std::size_t> index) {
    SendMessageW(windowOf(list), CB_SETCURSEL, index ? *index : static_cast<WPARAM>(-1), 0);
}

void Win32View::showItemAdded(const Widget& list, const std::string& item) {
    SendMessageW(windowOf(list), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(widen(item).c_str()));
}

void Win32View::showItemsCleared(const Widget& list) {
    SendMessageW(windowOf(list), CB_RESETCONTENT, 0, 0);
}

void Win32View::showColors(const Widget& model, const view::OwnColors& colors) {
    if (colors.back || colors.fore)
        m_ownColors[&model] = colors;
    else
        m_ownColors.erase(&model);
    InvalidateRect(windowOf(model), nullptr, TRUE);
}

void Win32View::showTabStop(const Widget& option, bool stop) {
    HWND window = windowOf(option);
    const auto style = GetWindowLongPtrW(window, GWL_STYLE);
    SetWindowLongPtrW(window, GWL_STYLE, stop ? style | WS_TABSTOP : style & ~LONG_PTR{WS_TABSTOP});
}

void Win32View::noticeTextChange(const Widget& model, const std::string&, const std::string&) {
    NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, windowOf(model), OBJID_CLIENT, CHILDID_SELF);
}

void Win32View::announce(const std::string& text) {
    SetWindowTextW(m_announcer, widen(text).c_str());
    NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, m_announcer, OBJID_CLIENT, CHILDID_SELF);
    NotifyWinEvent(EVENT_SYSTEM_ALERT, m_announcer, OBJID_CLIENT, CHILDID_SELF);
}

std::chrono::milliseconds Win32View::toolkitTime() const {
    return std::chrono::milliseconds(static_cast<long long>(GetTickCount64()));
}

void Win32View::armTimer(std::optional<std::chrono::milliseconds> wait) {
    if (wait)
        SetTimer(m_window, hostTimeTimer,
                 static_cast<UINT>(std::max<long long>(wait->count(), USER_TIMER_MINIMUM)),
                 nullptr);
    else
        KillTimer(m_window, hostTimeTimer);
}

// Windows's setting for animations in its windows, which users turn off for reduced motion.
bool Win32View::reducedMotion() const {
    BOOL animate = TRUE;
    return SystemParametersInfoW(SPI_GETCLIENTAREAANIMATION, 0, &animate, 0) && !animate;
}

view::ViewScale Win32View::fontScale() const {
    return m_fontScale;
}

view::PixelSize Win32View::measureText(const std::string& text) const {
    HDC dc = GetDC(m_window);
    const HGDIOBJ previous = SelectObject(dc, m_font);
    const std::wstring wide = widen(text);
    SIZE size{};
    GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, previous);
    ReleaseDC(m_window, dc);
    return {size.cx, metrics.tmHeight};
}

view::PixelSize Win32View::textArea(const Widget& model, view::PixelSize box) const {
    switch (model.kind()) {
    case WidgetKind::Frame:
        return {box.width - 2 * titleInset, box.height};
    case WidgetKind::OptionButton: {
        const int circle = static_cast<int>(circleAt96 * m_fontScale.dotsPerInch / 96) + 1;
        const int gap = measureText("0").width / 2;
        return {box.width - circle - gap - focusRectangle, box.height};
    }
    case WidgetKind::CommandButton:
        return {box.width - 2 * bevel, box.height - 2 * bevel};
    case WidgetKind::ComboBox:
        return {box.width - GetSystemMetrics(SM_CXVSCROLL) - fieldEdges, box.height - 2};
    case WidgetKind::Label: {
        // A label's lines break where DrawText breaks them: before a word whose following space
        // would cross the edge. Each line keeps room for a space after it.
        const int border = model.border() == BorderStyle::FixedSingle ? 2 : 0;
        return {box.width - border - measureText(" ").width, box.height - border};
    }
    default:
        return box;
    }
}

// The desktop scheme's colours as Windows gives them.
view::SystemPalette Win32View::systemPalette() const {
    view::SystemPalette palette;
    for (std::size_t index = 0; index < palette.colors.size(); ++index) {
        const COLORREF color = GetSysColor(static_cast<int>(index));
        palette.colors[index] = {GetRValue(color), GetGValue(color), GetBValue(color)};
    }
    return palette;
}

} // namespace ruvo::activex
