#include "hosting/activex/win32_view.h"

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
#include <vector>

namespace ruvo::com {

namespace {

constexpr wchar_t controlClass[] = L"RuvoMoravine";
constexpr wchar_t frameClass[] = L"RuvoFrame";

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

std::wstring text(const std::string& utf8) {
    return widen(utf8);
}

// The desktop scheme's colours as Windows gives them.
view::SystemPalette systemPalette() {
    view::SystemPalette palette;
    for (std::size_t index = 0; index < palette.colors.size(); ++index) {
        const COLORREF color = GetSysColor(static_cast<int>(index));
        palette.colors[index] = {GetRValue(color), GetGValue(color), GetBValue(color)};
    }
    return palette;
}

// The one Windows timer of a control window.
constexpr UINT_PTR hostTimeTimer = 1;

// The toolkit's monotonic clock.
std::chrono::milliseconds toolkitTime() {
    return std::chrono::milliseconds(static_cast<long long>(GetTickCount64()));
}

COLORREF colorRef(view::Rgb color) {
    return RGB(color.red, color.green, color.blue);
}

// Runs a window procedure's work behind the firewall: whatever it throws stays in the control.
LRESULT guardedHandle(Win32View& view, UINT message, WPARAM w, LPARAM l) {
    LRESULT result = 0;
    if (auto error = view::guarded([&] {
            result = view.handle(message, w, l);
            return std::optional<RuntimeError>();
        }))
        view.report(*error);
    return result;
}

} // namespace

Win32View::Win32View(Moravine& control, HWND parent, const RECT& position, HFONT font)
    : m_control(control) {
    registerClasses();
    takeFont(parent, font);
    m_logo = static_cast<HBITMAP>(LoadImageW(moduleHandle(), MAKEINTRESOURCEW(RUVO_LOGO_BITMAP),
                                             IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));

    const Geometry& surface = m_control.host.control().geometry();
    m_window =
        CreateWindowExW(WS_EX_CONTROLPARENT, controlClass, L"Moravine", WS_CHILD | WS_CLIPCHILDREN,
                        position.left, position.top, pixels(surface.width), pixels(surface.height),
                        parent, nullptr, moduleHandle(), nullptr);
    SetWindowLongPtrW(m_window, 0, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrW(m_window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(controlProcedure));
    m_windows[&m_control.host.control()] = m_window;
    for (Widget* model : m_control.host.widgets()) {
        if (model->kind() != WidgetKind::UserControl)
            createChild(*model);
    }
    orderTabs();
    m_control.host.addObserver(*this);
    m_hostTime.emplace(m_control.host, toolkitTime());
    m_focusRule.onMove = [this](const Widget* model) {
        if (m_focusInside)
            moveFocus(model ? m_windows.at(model) : m_window);
    };
    dispatch({}); // prompts the control started before it was shown run from now on
}

Win32View::~Win32View() {
    m_control.host.removeObserver(*this);
    KillTimer(m_window, hostTimeTimer);
    DestroyWindow(m_window);
    for (const auto& [color, handle] : m_brushes)
        DeleteObject(handle);
    if (m_logo)
        DeleteObject(m_logo);
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
    m_scale = view::ViewScale::forFontPixels(dotsPerInch, std::abs(description.lfHeight));
}

int Win32View::pixels(int twips) const {
    return view::toPixels(twips, m_scale);
}

void Win32View::place(const RECT& position) {
    SetWindowPos(m_window, nullptr, position.left, position.top, position.right - position.left,
                 position.bottom - position.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32View::show(bool visible) {
    ShowWindow(m_window, visible ? SW_SHOWNA : SW_HIDE);
}

void Win32View::createChild(Widget& model) {
    if (model.kind() == WidgetKind::Timer)
        return; // the host's time runs it
    const view::PixelRect place = view::toPixels(model.geometry(), m_scale);
    const std::wstring caption = text(model.caption());
    HWND parent = m_windows.at(model.parent());
    const DWORD common = WS_CHILD | (model.visible() ? DWORD{WS_VISIBLE} : 0) |
                         (model.enabled() ? 0 : DWORD{WS_DISABLED});
    const wchar_t* windowClass = L"STATIC";
    DWORD style = common;
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
    // A list's height is the drop-down's: room for a dozen items below the field.
    const int height = model.kind() == WidgetKind::ComboBox ? place.height * 10 : place.height;
    // Each child window's ID is its place in the tree, counting from 1.
    const auto& widgets = m_control.host.widgets();
    const auto id =
        static_cast<UINT_PTR>(std::find(widgets.begin(), widgets.end(), &model) - widgets.begin());
    HWND window = CreateWindowExW(extended, windowClass,
                                  model.kind() == WidgetKind::Frame ? L"" : caption.c_str(), style,
                                  place.left, place.top, place.width, height, parent,
                                  reinterpret_cast<HMENU>(id), moduleHandle(), nullptr);
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(m_font), FALSE);
    if (model.kind() == WidgetKind::Frame) {
        // The frame window carries the children; a group box inside it draws caption and border.
        SetWindowLongPtrW(window, 0, reinterpret_cast<LONG_PTR>(this));
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(frameProcedure));
        HWND box =
            CreateWindowExW(0, L"BUTTON", caption.c_str(), WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 0,
                            0, place.width, place.height, window, nullptr, moduleHandle(), nullptr);
        SendMessageW(box, WM_SETFONT, reinterpret_cast<WPARAM>(m_font), FALSE);
        SetPropW(window, L"RuvoGroupBox", box);
    }
    if (model.kind() == WidgetKind::PictureBox && m_logo) {
        SendMessageW(window, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(m_logo));
        SetWindowPos(window, nullptr, place.left, place.top, place.width, place.height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (model.kind() == WidgetKind::OptionButton) {
        SendMessageW(window, BM_SETCHECK, static_cast<const OptionButton&>(model).value(), 0);
        takeArrowKeys(window);
    }
    if (model.kind() == WidgetKind::ComboBox) {
        for (const std::string& item : static_cast<const ComboBox&>(model).items())
            SendMessageW(window, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text(item).c_str()));
    }
    m_windows[&model] = window;
    m_widgets[window] = &model;
    if (model.kind() == WidgetKind::ComboBox)
        syncSelection(model);
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
    for (const Widget* model : view::stackingOrder(m_control.host)) {
        if (!m_windows.contains(model))
            continue; // a timer
        HWND& last = previous[model->parent()];
        SetWindowPos(m_windows.at(model), last ? last : HWND_TOP, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        last = m_windows.at(model);
    }
}

LRESULT CALLBACK Win32View::controlProcedure(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (Win32View* view = viewOf(window))
        return guardedHandle(*view, message, w, l);
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
            return guardedHandle(*view, message, w, l);
        break;
    case WM_SIZE:
        if (HWND box = static_cast<HWND>(GetPropW(window, L"RuvoGroupBox")))
            MoveWindow(box, 0, 0, LOWORD(l), HIWORD(l), TRUE);
        break;
    case WM_NCDESTROY:
        RemovePropW(window, L"RuvoGroupBox");
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
        if (w == hostTimeTimer && !m_designMode)
            dispatch({});
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
        return colour(reinterpret_cast<HDC>(w), reinterpret_cast<HWND>(l));
    default:
        return DefWindowProcW(m_window, message, w, l);
    }
}

void Win32View::setDesignMode(bool design) {
    if (design == m_designMode)
        return;
    m_designMode = design;
    // A disabled window's children take no input, and look as they did.
    EnableWindow(m_window, !design);
    if (design) {
        KillTimer(m_window, hostTimeTimer);
    } else {
        // The prompts go on from where they stood: the time spent standing still does not count.
        m_hostTime.emplace(m_control.host, toolkitTime());
        dispatch({});
    }
}

void Win32View::dispatch(const std::function<std::optional<RuntimeError>()>& action) {
    // Between two entries only the user moves the focus.
    noteUserFocus();
    if (auto late = view::guarded([this] { return m_hostTime->catchUp(toolkitTime()); }))
        report(*late);
    if (action) {
        if (auto error = view::guarded(action))
            report(*error);
    }
    if (m_designMode)
        return;
    if (const auto next = m_hostTime->untilNextTick())
        SetTimer(m_window, hostTimeTimer,
                 static_cast<UINT>(std::max<long long>(next->count(), USER_TIMER_MINIMUM)),
                 nullptr);
    else
        KillTimer(m_window, hostTimeTimer);
}

void Win32View::report(const std::string& message) {
    m_lastError = message;
    OutputDebugStringW((L"Ruvo.Moravine: " + widen(message) + L"\n").c_str());
}

HBRUSH Win32View::brush(COLORREF color) {
    auto& handle = m_brushes[color];
    if (!handle)
        handle = CreateSolidBrush(color);
    return handle;
}

LRESULT Win32View::colour(HDC dc, HWND child) {
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
    const Widget* model = found == m_widgets.end() ? nullptr : found->second;
    const Color back = model ? model->backColor() : systemColor(COLOR_BTNFACE);
    const Color fore = model ? model->foreColor() : systemColor(COLOR_BTNTEXT);
    const view::TextColors colors = view::readableColors(back, fore, systemPalette());
    SetBkColor(dc, colorRef(colors.back));
    SetTextColor(dc, colorRef(colors.fore));
    return reinterpret_cast<LRESULT>(brush(colorRef(colors.back)));
}

void Win32View::syncSelection(const Widget& model) {
    const auto& list = static_cast<const ComboBox&>(model);
    const WPARAM index = list.selectedIndex() ? *list.selectedIndex() : static_cast<WPARAM>(-1);
    SendMessageW(m_windows.at(&model), CB_SETCURSEL, index, 0);
}

void Win32View::widgetChanged(const Widget& model, WidgetChange change) {
    if (model.kind() == WidgetKind::Timer)
        return; // the host's time runs it
    HWND window = m_windows.at(&model);
    switch (change) {
    case WidgetChange::Caption:
        if (model.kind() == WidgetKind::Frame)
            window = static_cast<HWND>(GetPropW(window, L"RuvoGroupBox"));
        SetWindowTextW(window, text(model.caption()).c_str());
        break;
    case WidgetChange::Visible:
        ShowWindow(window, model.visible() ? SW_SHOWNA : SW_HIDE);
        break;
    case WidgetChange::Enabled:
        EnableWindow(window, model.enabled());
        break;
    case WidgetChange::Value:
        SendMessageW(window, BM_SETCHECK, static_cast<const OptionButton&>(model).value(), 0);
        break;
    case WidgetChange::Text:
        syncSelection(model);
        break;
    case WidgetChange::BackColor:
        InvalidateRect(window, nullptr, TRUE);
        break;
    case WidgetChange::ItemAdded:
        SendMessageW(window, CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(
                         text(static_cast<const ComboBox&>(model).items().back()).c_str()));
        break;
    case WidgetChange::ItemsCleared:
        SendMessageW(window, CB_RESETCONTENT, 0, 0);
        break;
    case WidgetChange::Focus:
        moveFocus(window);
        break;
    }
}

} // namespace ruvo::com
