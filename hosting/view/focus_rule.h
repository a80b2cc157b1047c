#pragma once

#include "host/widget_host.h"

#include <functional>

namespace ruvo::view {

// Where the keyboard focus belongs, one rule for every front-end: the focus never falls on an
// input by accident.
//
// When a run of the control hides or disables the widget that has the focus, the focus goes to
// the result that run just showed (the EDD after "Calculate EDD", the gestation at birth after
// "Calculate gestation"), otherwise to the control's own surface, where no key changes anything.
// A widget that a prompt blinks away gets the focus back when it shows again, unless the user has
// moved the focus meanwhile. A SetFocus of the control moves the focus where it says.
//
// The front-end reports where the user puts the focus and moves its toolkit's focus when onMove
// says so, at the end of each run of the control.
class FocusRule final : private HostObserver {
  public:
    explicit FocusRule(WidgetHost&);
    ~FocusRule() override;
    FocusRule(const FocusRule&) = delete;
    FocusRule& operator=(const FocusRule&) = delete;

    // The user put the focus on a widget of the surface, or on the surface itself (null).
    void userMoved(const Widget*);
    // Where the focus is: a widget, or null for the control's own surface.
    const Widget* focus() const { return m_focus; }
    // The widget a prompt blinked away while it had the focus, until it gets the focus back.
    const Widget* blinkedAway() const { return m_blinkedAway; }

    // Called with the new place when the rule moves the focus.
    std::function<void(const Widget*)> onMove;

  private:
    void widgetChanged(const Widget&, WidgetChange) override;
    void handlerStarted(const Widget&, Event, Invocation) override;
    void handlerFinished(const Widget&, Event, Invocation, const RuntimeError*) override;
    void settle();
    void moveTo(const Widget*);

    WidgetHost& m_host;
    const Widget* m_focus = nullptr;
    const Widget* m_blinkedAway = nullptr;
    const Widget* m_resultShown = nullptr;
    const Widget* m_setFocus = nullptr;
    bool m_inTimer = false;
};

} // namespace ruvo::view
