#pragma once

#include "control/moravine.h"
#include "host/host_observer.h"
#include "hosting/view/focus_rule.h"
#include "hosting/view/geometry.h"
#include "hosting/view/host_time.h"

#include <windows.h>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <unordered_map>

namespace ruvo::com {

// Shows a control's surface on real Windows controls in a child window of the container, and
// mirrors every change of the model at once: group boxes (in frame windows of our own that carry
// their children), labels, radio buttons that only the model checks, drop-down lists, push
// buttons, the picture, and one Windows timer that runs the prompt timers on the host's time (see
// view::HostTime). Only the user's own clicks and picks and the passing of time reach the model; a
// run-time error of a handler stays here (the last one is kept for the host to read) and never
// reaches the container's message loop. The results are read-only edit boxes that Tab reaches,
// the arrows on an option button do what view::keyTarget says, and the focus follows
// view::FocusRule while it is inside the control. The surface takes the container's font, and
// scales with it and the screen's dots per inch.
class Win32View final : private HostObserver {
  public:
    // The surface takes font, the container's ambient font, or else parent's font.
    Win32View(Moravine& control, HWND parent, const RECT& position, HFONT font = nullptr);
    ~Win32View() override;
    Win32View(const Win32View&) = delete;
    Win32View& operator=(const Win32View&) = delete;

    HWND window() const { return m_window; }
    void place(const RECT& position);
    void show(bool visible);

    // The surface as its windows show it now, the prompts in their current form, drawn into dc
    // with its top-left corner at the dc's origin: what a container prints or draws in its
    // design view. size() is its size in the same pixels.
    void print(HDC dc) const;
    SIZE size() const;
    // The font the surface is drawn in.
    HFONT font() const { return m_font; }

    // Called when the keyboard focus comes into the control's windows (true) or leaves them.
    std::function<void(bool inside)> onFocusChange;

    // Design mode: the surface stands still, as a forms designer shows it while the control is
    // placed. No timer runs and no input reaches the control; the picture stays as it is.
    void setDesignMode(bool design);

    // The message of the last run-time error a user's action or a tick met, if any.
    const std::optional<std::string>& lastError() const { return m_lastError; }

    // One message to the control's windows; its window procedures run it behind the firewall.
    LRESULT handle(UINT message, WPARAM, LPARAM);
    // Keeps an error that reached the firewall.
    void report(const std::string& message);

  private:
    static LRESULT CALLBACK controlProcedure(HWND, UINT, WPARAM, LPARAM);
    static LRESULT CALLBACK frameProcedure(HWND, UINT, WPARAM, LPARAM);
    static LRESULT CALLBACK optionProcedure(HWND, UINT, WPARAM, LPARAM);
    // Posted when a child lost the focus: where it went is known once the move has finished.
    static constexpr UINT focusCheckMessage = WM_APP + 1;
    // An arrow key (wParam) pressed on an option button (lParam).
    static constexpr UINT arrowKeyMessage = WM_APP + 2;

    int pixels(int twips) const;
    void takeFont(HWND parent, HFONT font);
    // Tells the focus rule where the user left the focus, if inside the control.
    void noteUserFocus();
    // Tells onFocusChange when the focus has come in or gone out.
    void focusMoved();
    void createChild(Widget& model);
    void orderTabs();
    void command(HWND child, WORD code);
    void takeArrowKeys(HWND option);
    void pressArrow(HWND option, WPARAM key);
    // Moves the focus as the control itself decides, not the user.
    void moveFocus(HWND window);
    LRESULT colour(HDC dc, HWND child);
    HBRUSH brush(COLORREF);
    // Runs one of the host's entry points, after the ticks that fell due before it, keeps any
    // error, and arms the one timer for the next tick.
    void dispatch(const std::function<std::optional<RuntimeError>()>& action);
    void syncSelection(const Widget& list);
    void widgetChanged(const Widget&, WidgetChange) override;

    Moravine& m_control;
    HWND m_window = nullptr;
    view::ViewScale m_scale;
    HFONT m_font = nullptr;
    HBITMAP m_logo = nullptr;
    std::unordered_map<const Widget*, HWND> m_windows;
    std::unordered_map<HWND, Widget*> m_widgets;
    std::optional<view::HostTime> m_hostTime;
    view::FocusRule m_focusRule{m_control.host};
    bool m_focusInside = false;
    bool m_holdsFocus = false;
    bool m_designMode = false;
    bool m_movingFocus = false;
    std::map<COLORREF, HBRUSH> m_brushes;
    std::optional<std::string> m_lastError;
};

} // namespace ruvo::com
