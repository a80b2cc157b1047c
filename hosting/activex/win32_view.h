#pragma once

#include "hosting/view/presenter.h"
#include "hosting/view/view_sink.h"

#include <windows.h>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <unordered_map>

namespace ruvo::activex {

// The presenter's sink on real Windows controls, in a child window of the container: group boxes
// (in frame windows of our own that carry their children), labels, radio buttons that only the
// model checks, drop-down lists, push buttons, the picture, and one Windows timer for the
// prompts. The results are read-only edit boxes that Tab reaches; the arrows on an option button
// go to the presenter, as every front-end's do. Only the user's own clicks, picks and keys and
// the passing of time reach the presenter; a run-time error stays here (the last one is kept for
// the host to read) and never reaches the container's message loop. The surface takes the
// container's font, and scales with it and the screen's dots per inch.
class Win32View final : private view::ViewSink {
  public:
    // A view of the presenter's surface in parent's window at position, in font (the
    // container's ambient font), or else parent's font. Attach makes it the live view that
    // takes input; showOnce a still picture of it.
    Win32View(view::Presenter&, HWND parent, const RECT& position, HFONT font = nullptr);
    ~Win32View() override;
    Win32View(const Win32View&) = delete;
    Win32View& operator=(const Win32View&) = delete;

    // The presenter builds this view's windows and mirrors every change into them from now on;
    // detach before the view goes.
    void attach();
    // This view's windows show the surface as it stands, and stand still.
    void showOnce();

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
    // Called once at the end of an input that changed the results on view, with what moved:
    // after the window message that brought it is handled, so that the host it tells may
    // deactivate or release the control, and with it this view.
    std::function<void(view::ResultsMoved)> onResultsChange;

    // Design mode: the surface stands still, as a forms designer shows it while the control is
    // placed. No timer runs and no input reaches the control; the picture stays as it is.
    void setDesignMode(bool design);

    // The message of the last run-time error a user's action or a tick met, if any.
    const std::optional<std::string>& lastError() const { return m_lastError; }

    // One message to the control's windows; its window procedures run it behind the firewall,
    // through entry.
    LRESULT handle(UINT message, WPARAM, LPARAM);
    // Keeps an error that reached the firewall.
    void reportError(const std::string& message) override;

  private:
    // Handles a message behind the firewall; once the outermost is handled, tells the host of
    // the results it moved. The view may be gone when it returns.
    static LRESULT entry(Win32View&, UINT message, WPARAM, LPARAM);
    static LRESULT CALLBACK controlProcedure(HWND, UINT, WPARAM, LPARAM);
    static LRESULT CALLBACK frameProcedure(HWND, UINT, WPARAM, LPARAM);
    static LRESULT CALLBACK optionProcedure(HWND, UINT, WPARAM, LPARAM);
    // Posted when a child lost the focus: where it went is known once the move has finished.
    static constexpr UINT focusCheckMessage = WM_APP + 1;
    // An arrow key (wParam) pressed on an option button (lParam).
    static constexpr UINT arrowKeyMessage = WM_APP + 2;

    HWND windowOf(const Widget&) const;
    void takeFont(HWND parent, HFONT font);
    // Tells onFocusChange when the focus has come in or gone out.
    void focusMoved();
    void orderTabs();
    void command(HWND child, WORD code);
    void takeArrowKeys(HWND option);
    void pressArrow(HWND option, WPARAM key);
    LRESULT colour(UINT message, HDC dc, HWND child);
    HBRUSH brush(COLORREF);

    void createView(const Widget&) override;
    void placeView(const Widget&, const view::PixelRect&) override;
    void showCaption(const Widget&, const std::string& caption) override;
    void showVisible(const Widget&, bool visible) override;
    void showEnabled(const Widget&, bool enabled) override;
    void showChecked(const Widget& option, bool checked) override;
    void showSelection(const Widget& list, std::optional<std::size_t> index) override;
    void showItemAdded(const Widget& list, const std::string& item) override;
    void showItemsCleared(const Widget& list) override;
    void showColors(const Widget&, const view::OwnColors&) override;
    void showTabStop(const Widget& option, bool stop) override;
    void showAccessible(const Widget&, const view::Accessible&) override {}
    void noticeTextChange(const Widget&, const std::string& heard,
                          const std::string& shown) override;
    void announce(const std::string& text) override;
    view::FocusPlace focusPlace() const override;
    void moveFocus(const Widget*) override;
    std::chrono::milliseconds toolkitTime() const override;
    void armTimer(std::optional<std::chrono::milliseconds> wait) override;
    bool reducedMotion() const override;
    view::ViewScale fontScale() const override;
    view::PixelSize measureText(const std::string& text) const override;
    view::PixelSize textArea(const Widget&, view::PixelSize box) const override;
    view::SystemPalette systemPalette() const override;
    void resultsChanged(const view::HostResults&, view::ResultsMoved moved) override;

    view::Presenter& m_presenter;
    HWND m_window = nullptr;
    // Speaks the presenter's announcements: a line of the surface only assistive technology reads.
    HWND m_announcer = nullptr;
    view::ViewScale m_fontScale;
    HFONT m_font = nullptr;
    HBITMAP m_logo = nullptr;
    std::unordered_map<const Widget*, HWND> m_windows;
    std::unordered_map<HWND, const Widget*> m_widgets;
    std::unordered_map<const Widget*, view::OwnColors> m_ownColors;
    bool m_holdsFocus = false;
    // How deep the window messages being handled nest, and what results they moved so far.
    int m_entries = 0;
    view::ResultsMoved m_resultsDue;
    bool m_attached = false;
    std::map<COLORREF, HBRUSH> m_brushes;
    std::optional<std::string> m_lastError;
};

} // namespace ruvo::activex
