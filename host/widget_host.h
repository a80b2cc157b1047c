#pragma once

#include "host/host_observer.h"
#include "host/runtime_error.h"
#include "host/user_control.h"
#include "host/widget.h"

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace ruvo {

class Timer;

// The headless widget host: it owns a control's widget tree, raises the events of the widgets and
// runs their handlers, one at a time.
//
// Two ways in. The dispatch entry points (initialize, click, pick, tick, advanceTime) are the
// host's own events and the user's actions; each runs the handler it raises to its end and
// returns the run-time error that ended it, if any. Handlers themselves change the widgets
// through the widget setters, which run any Click they raise at once, nested.
//
// A run-time error ends the handler that raised it and every handler around it, up to the
// dispatch, which returns it; what was done before stays done and the host stays usable.
class WidgetHost {
  public:
    explicit WidgetHost(std::string controlName, WidgetDesign design = {});
    ~WidgetHost();
    WidgetHost(const WidgetHost&) = delete;
    WidgetHost& operator=(const WidgetHost&) = delete;

    UserControl& control() const { return *m_control; }

    // Builds one widget at design time, as the last child of parent.
    template <typename W>
    W& add(std::string name, Widget& parent, WidgetDesign design = {}) {
        std::unique_ptr<W> widget(new W(*this, std::move(name), &parent, std::move(design)));
        W& result = *widget;
        adopt(std::move(widget));
        return result;
    }

    // Every widget, the control first, in creation order.
    const std::vector<Widget*>& widgets() const { return m_creationOrder; }
    Widget* find(std::string_view name) const;

    // The widget of that name and kind; the name must exist, with that kind.
    template <typename W>
    W& get(std::string_view name) const {
        Widget* widget = find(name);
        if (!widget || widget->kind() != W::staticKind)
            throw std::logic_error("no " + std::string(kindName(W::staticKind)) + " named " +
                                   std::string(name));
        return static_cast<W&>(*widget);
    }

    // The widget that last took the focus through SetFocus, or null.
    Widget* focus() const { return m_focus; }

    // Raises the control's Initialize.
    [[nodiscard]] std::optional<RuntimeError> initialize();
    // The user's click on an option button or a command button. Refused when the widget cannot
    // take input; a click on the option already selected raises nothing.
    [[nodiscard]] std::optional<RuntimeError> click(Widget&);
    // The user's pick of the item whose text is item. Refused when the list cannot take input or
    // holds no such item; a pick of the item already selected raises nothing.
    [[nodiscard]] std::optional<RuntimeError> pick(Widget&, std::string_view item);
    // One Timer event. Refused when the timer is not enabled.
    [[nodiscard]] std::optional<RuntimeError> tick(Widget&);
    // Moves the host's clock forward, delivering in time order every tick that falls due; each
    // tick is a dispatch of its own. Returns the errors of the ticks that failed.
    [[nodiscard]] std::vector<RuntimeError> advanceTime(std::chrono::milliseconds);
    // Moves the host's clock forward as a busy host's loop lets time pass: the ticks that fall
    // due meanwhile are held back, late. An event raised next (the user's input the busy loop
    // delivers) comes before them; the next advanceTime, of any length, delivers them first, in
    // time order.
    void passBusyTime(std::chrono::milliseconds);

    std::chrono::milliseconds now() const { return m_now; }
    // When the next tick falls due on the host's clock, or none while no timer runs.
    std::optional<std::chrono::milliseconds> nextTick() const;

    // Runs a widget's handler as an ordinary call from inside another handler: no event is
    // raised and nothing is selected first.
    void callDirectly(Widget&, Event);

    // Tells the observers that a field of the control's state was written; the control's state
    // calls it on every write.
    void noteFieldWrite(std::string_view field, std::string_view value);

    // How many handlers are running, one inside the other.
    int depth() const { return m_depth; }

    void addObserver(HostObserver&);
    void removeObserver(HostObserver&);

  private:
    friend class Widget;
    friend class OptionButton;
    friend class ComboBox;

    void adopt(std::unique_ptr<Widget>);
    void notifyChange(const Widget&, WidgetChange);
    void moveFocus(Widget&);

    // Runs a handler raised by a setter, inside the handler that called the setter.
    void raiseNested(Widget&, Event, const std::function<void()>& handler);
    void runHandler(Widget&, Event, Invocation, const std::function<void()>& handler);
    std::optional<RuntimeError> dispatch(const std::function<void()>& action);
    Timer* nextTimerDueBy(std::chrono::milliseconds) const;

    std::vector<std::unique_ptr<Widget>> m_widgets;
    std::vector<Widget*> m_creationOrder;
    UserControl* m_control = nullptr;
    Widget* m_focus = nullptr;
    std::vector<HostObserver*> m_observers;
    std::chrono::milliseconds m_now{0};
    int m_depth = 0;
};

} // namespace ruvo
