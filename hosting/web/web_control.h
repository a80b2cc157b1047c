#pragma once

#include "control/moravine.h"
#include "dating/clock.h"
#include "hosting/view/colors.h"
#include "hosting/view/focus_rule.h"
#include "hosting/view/host_results.h"
#include "hosting/view/host_time.h"
#include "hosting/view/keyboard.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace ruvo::web {

// One <ruvo-moravine> element's control: a headless Moravine with the view layer's rules, which
// the element drives with the user's clicks, picks and keys and with its one timer, and which
// tells the element each change to mirror. It knows nothing of the browser; bindings.cpp hands it
// to JavaScript.
//
// Each entry point takes the page's monotonic time in milliseconds, brings the prompts up to it
// (view::HostTime), runs through the firewall (view::guarded) and returns the messages of the
// run-time errors it met, in order; the element then arms its timer for untilNextTick().
class WebControl final : private HostObserver {
  public:
    struct Callbacks {
        // A widget changed; the element reads its new state and mirrors it at once.
        std::function<void(const Widget&, WidgetChange)> changed;
        // The focus rule moves the focus to a widget, or to the surface (null). Called only while
        // the focus was inside the element when the entry began: the focus is otherwise the page's.
        std::function<void(const Widget*)> moveFocus;
        // The results on view changed, at the end of the run that changed them.
        std::function<void(const view::HostResults&)> resultsChanged;
    };

    WebControl(Date today, const view::SystemPalette&, double nowMs, Callbacks);
    ~WebControl() override;
    WebControl(const WebControl&) = delete;
    WebControl& operator=(const WebControl&) = delete;

    // Raises Initialize; call once, after the element has built its view.
    std::vector<std::string> initialize(double nowMs);

    // The user's click on an option or command button, and pick of a list's item.
    std::vector<std::string> click(const std::string& widget, double nowMs, bool focusInside);
    std::vector<std::string> pick(const std::string& widget, const std::string& item, double nowMs,
                                  bool focusInside);
    // Where a key on the focused widget goes (see view::keyTarget): the widget to focus and
    // click, or null to leave the key to the browser.
    Widget* keyTarget(const std::string& focused, view::Key);
    // The element's timer fired.
    std::vector<std::string> tick(double nowMs, bool focusInside);
    // Milliseconds until the next tick falls due, or none while no prompt runs.
    std::optional<double> untilNextTick() const;

    // The user put the focus on a widget of the surface, or on the surface itself (empty name).
    void userFocused(const std::string& widget);
    void setToday(Date today) { m_clock.setToday(today); }

    // What the element shows, every widget but the timers and the surface itself, in the order
    // the element must append them so that its tab order and reading order are the control's.
    std::vector<Widget*> widgetsInOrder() const;
    Widget& widget(const std::string& name) const;
    // A widget's own colours ("#rrggbb", the contrast rule applied), or empty strings where it
    // keeps the page's.
    std::pair<std::string, std::string> colorsOf(const Widget&) const;

    const Moravine& control() const { return m_control; }
    const view::HostResults& results() const { return m_results; }

  private:
    std::vector<std::string> dispatch(double nowMs, bool focusInside,
                                      const std::function<std::optional<RuntimeError>()>& action);
    void widgetChanged(const Widget&, WidgetChange) override;

    FixedClock m_clock;
    Moravine m_control;
    view::SystemPalette m_palette;
    Callbacks m_callbacks;
    view::FocusRule m_focusRule{m_control.host};
    view::HostTime m_hostTime;
    view::HostResults m_results;
    std::optional<view::ResultsWatcher> m_resultsWatcher;
    bool m_focusInside = false;
};

} // namespace ruvo::web
