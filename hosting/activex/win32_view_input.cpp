// The user's side of the Win32 view: clicks, picks and keys go to the presenter here, and the
// focus is followed and moved.
#include "hosting/activex/win32_view.h"

#include "host/combo_box.h"
#include "hosting/view/keyboard.h"

namespace ruvo::activex {

namespace {

constexpr wchar_t buttonProcedureProperty[] = L"RuvoButtonProcedure";

} // namespace

void Win32View::command(HWND child, WORD code) {
    auto found = m_widgets.find(child);
    if (found == m_widgets.end())
        return;
    if (code == BN_SETFOCUS || code == EN_SETFOCUS || code == CBN_SETFOCUS) {
        focusMoved();
        return;
    }
    if (code == BN_KILLFOCUS || code == EN_KILLFOCUS || code == CBN_KILLFOCUS) {
        PostMessageW(m_window, focusCheckMessage, 0, 0);
        return;
    }
    const Widget& model = *found->second;
    if (model.kind() == WidgetKind::ComboBox && code == CBN_SELCHANGE) {
        const auto index = SendMessageW(child, CB_GETCURSEL, 0, 0);
        const auto& items = static_cast<const ComboBox&>(model).items();
        if (index >= 0 && static_cast<std::size_t>(index) < items.size())
            m_presenter.pick(model, items[static_cast<std::size_t>(index)]);
    } else if (model.kind() == WidgetKind::OptionButton && code == BN_CLICKED &&
               m_presenter.movingFocus()) {
        // Windows tells the parent of an unselected option button that gets the focus that it
        // was clicked. A focus the control moves itself is nobody's click.
    } else if ((model.kind() == WidgetKind::OptionButton ||
                model.kind() == WidgetKind::CommandButton) &&
               code == BN_CLICKED) {
        m_presenter.click(model);
    }
}

view::FocusPlace Win32View::focusPlace() const {
    for (HWND focused = GetFocus(); focused; focused = GetParent(focused)) {
        if (focused == m_window)
            return nullptr;
        if (const auto found = m_widgets.find(focused); found != m_widgets.end())
            return found->second;
    }
    return std::nullopt;
}

void Win32View::moveFocus(const Widget* model) {
    SetFocus(model ? windowOf(*model) : m_window);
}

// An option button takes the arrow keys itself, and on every front-end they do the same: select
// the neighbour the view's keyboard rule names and take the focus there. The dialog manager would
// only move the focus, and through the stacking order.
void Win32View::takeArrowKeys(HWND option) {
    SetPropW(option, buttonProcedureProperty,
             reinterpret_cast<HANDLE>(GetWindowLongPtrW(option, GWLP_WNDPROC)));
    SetWindowLongPtrW(option, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(optionProcedure));
}

LRESULT CALLBACK Win32View::optionProcedure(HWND option, UINT message, WPARAM w, LPARAM l) {
    const auto button = reinterpret_cast<WNDPROC>(GetPropW(option, buttonProcedureProperty));
    if (!button)
        return DefWindowProcW(option, message, w, l);
    switch (message) {
    case WM_GETDLGCODE:
        return CallWindowProcW(button, option, message, w, l) | DLGC_WANTARROWS;
    case WM_KEYDOWN:
        if (w == VK_UP || w == VK_DOWN || w == VK_LEFT || w == VK_RIGHT) {
            // The frame passes it on to the control window, behind the firewall.
            SendMessageW(GetParent(option), arrowKeyMessage, w, reinterpret_cast<LPARAM>(option));
            return 0;
        }
        break;
    case WM_NCDESTROY:
        RemovePropW(option, buttonProcedureProperty);
        break;
    default:
        break;
    }
    return CallWindowProcW(button, option, message, w, l);
}

void Win32View::pressArrow(HWND option, WPARAM key) {
    const auto found = m_widgets.find(option);
    if (found == m_widgets.end())
        return;
    const view::Key direction = key == VK_UP     ? view::Key::Up
                                : key == VK_DOWN ? view::Key::Down
                                : key == VK_LEFT ? view::Key::Left
                                                 : view::Key::Right;
    m_presenter.pressKey(*found->second, direction);
}

void Win32View::focusMoved() {
    const HWND focused = GetFocus();
    const bool inside = focused && (focused == m_window || IsChild(m_window, focused));
    if (inside == m_holdsFocus)
        return;
    m_holdsFocus = inside;
    if (onFocusChange)
        onFocusChange(inside);
}

} // namespace ruvo::activex
