#pragma once

#include <string_view>

namespace ruvo {

class RuntimeError;
class Widget;

// What changed on a widget. Property writes report even when the value stays the same, so an
// observer sees every step a handler takes, in order.
enum class WidgetChange {
    Caption,
    Visible,
    Enabled, // for a timer: whether it ticks
    Value,   // an option button selected or deselected
    Text,    // a list's selection
    BackColor,
    ItemAdded, // a list's new last item
    ItemsCleared,
    Focus, // the widget took the keyboard focus
};

enum class Event { Initialize, Click, Timer };

// Raised: the host raised the event (a user's action, a tick, a selection made from code).
// DirectCall: a handler called another handler as an ordinary method.
enum class Invocation { Raised, DirectCall };

// Front-ends mirror the model through this interface, and tests record it. Every notification
// arrives synchronously, in the order the model changes, and the widget already holds the new
// state. Observers must not change the model from inside a notification.
class HostObserver {
  public:
    virtual ~HostObserver() = default;

    virtual void widgetChanged(const Widget&, WidgetChange) {}
    // A field of the control's own state was written (even with the value it had): its name and
    // the new value as text.
    virtual void fieldWritten(std::string_view field, std::string_view value) {
        (void)field;
        (void)value;
    }
    virtual void handlerStarted(const Widget&, Event, Invocation) {}
    // error is null when the handler ran to its end.
    virtual void handlerFinished(const Widget&, Event, Invocation, const RuntimeError* error) {
        (void)error;
    }
};

} // namespace ruvo
