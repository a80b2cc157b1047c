#include "host/widget_host.h"

#include "host/combo_box.h"
#include "host/command_button.h"
#include "host/option_button.h"
#include "host/temporary_change.h"
#include "host/timer.h"
#include "host/value_text.h"

#include <algorithm>

namespace ruvo {

namespace {

RuntimeError refusal(const Widget& widget, std::string_view why) {
    return RuntimeError(ErrorKind::InvalidWidgetUse, widget.name() + std::string(why));
}

const std::function<void()>* handlerOf(Widget& widget, Event event) {
    switch (event) {
    case Event::Initialize:
        if (widget.kind() == WidgetKind::UserControl)
            return &static_cast<UserControl&>(widget).onInitialize;
        break;
    case Event::Click:
        if (widget.kind() == WidgetKind::OptionButton)
            return &static_cast<OptionButton&>(widget).onClick;
        if (widget.kind() == WidgetKind::ComboBox)
            return &static_cast<ComboBox&>(widget).onClick;
        if (widget.kind() == WidgetKind::CommandButton)
            return &static_cast<CommandButton&>(widget).onClick;
        break;
    case Event::Timer:
        if (widget.kind() == WidgetKind::Timer)
            return &static_cast<Timer&>(widget).onTimer;
        break;
    }
    return nullptr;
}

} // namespace

WidgetHost::WidgetHost(std::string controlName, WidgetDesign design) {
    std::unique_ptr<UserControl> control(
        new UserControl(*this, std::move(controlName), std::move(design)));
    m_control = control.get();
    adopt(std::move(control));
}

WidgetHost::~WidgetHost() = default;

void WidgetHost::adopt(std::unique_ptr<Widget> widget) {
    m_creationOrder.push_back(widget.get());
    m_widgets.push_back(std::move(widget));
}

Widget* WidgetHost::find(std::string_view name) const {
    auto found = std::find_if(m_creationOrder.begin(), m_creationOrder.end(),
                              [&](const Widget* widget) { return widget->name() == name; });
    return found == m_creationOrder.end() ? nullptr : *found;
}

std::optional<RuntimeError> WidgetHost::initialize() {
    return dispatch([&] {
        runHandler(*m_control, Event::Initialize, Invocation::Raised, m_control->onInitialize);
    });
}

std::optional<RuntimeError> WidgetHost::click(Widget& widget) {
    return dispatch([&] {
        if (widget.kind() != WidgetKind::OptionButton && widget.kind() != WidgetKind::CommandButton)
            throw refusal(widget, " is not a button");
        if (!widget.canTakeInput())
            throw refusal(widget, " cannot take input while it is hidden or disabled");
        if (widget.kind() == WidgetKind::OptionButton) {
            auto& option = static_cast<OptionButton&>(widget);
            if (option.select())
                runHandler(option, Event::Click, Invocation::Raised, option.onClick);
            return;
        }
        auto& button = static_cast<CommandButton&>(widget);
        runHandler(button, Event::Click, Invocation::Raised, button.onClick);
    });
}

std::optional<RuntimeError> WidgetHost::pick(Widget& widget, std::string_view item) {
    return dispatch([&] {
        if (widget.kind() != WidgetKind::ComboBox)
            throw refusal(widget, " is not a list");
        if (!widget.canTakeInput())
            throw refusal(widget, " cannot take input while it is hidden or disabled");
        auto& list = static_cast<ComboBox&>(widget);
        auto index = list.indexOf(item);
        if (!index)
            throw refusal(widget, " holds no item " + quotedText(item));
        if (list.select(*index))
            runHandler(list, Event::Click, Invocation::Raised, list.onClick);
    });
}

std::optional<RuntimeError> WidgetHost::tick(Widget& widget) {
    return dispatch([&] {
        if (widget.kind() != WidgetKind::Timer)
            throw refusal(widget, " is not a timer");
        if (!widget.enabled())
            throw refusal(widget, " is not enabled");
        auto& timer = static_cast<Timer&>(widget);
        runHandler(timer, Event::Timer, Invocation::Raised, timer.onTimer);
    });
}

std::vector<RuntimeError> WidgetHost::advanceTime(std::chrono::milliseconds duration) {
    if (m_depth > 0)
        return {RuntimeError(ErrorKind::InvalidWidgetUse, "time cannot pass inside a handler")};
    std::vector<RuntimeError> errors;
    const auto until = m_now + duration;
    while (Timer* timer = nextTimerDueBy(until)) {
        // A tick held back by a busy loop runs late, at the time it finally runs.
        m_now = std::max(m_now, timer->m_nextTick);
        timer->m_nextTick += timer->m_interval;
        if (auto error = tick(*timer))
            errors.push_back(std::move(*error));
    }
    m_now = until;
    return errors;
}

void WidgetHost::passBusyTime(std::chrono::milliseconds duration) {
    if (duration > std::chrono::milliseconds::zero())
        m_now += duration;
}

std::optional<std::chrono::milliseconds> WidgetHost::nextTick() const {
    const Timer* next = nextTimerDueBy(std::chrono::milliseconds::max());
    return next ? std::optional(next->m_nextTick) : std::nullopt;
}

Timer* WidgetHost::nextTimerDueBy(std::chrono::milliseconds until) const {
    Timer* next = nullptr;
    for (Widget* widget : m_creationOrder) {
        if (widget->kind() != WidgetKind::Timer || !widget->enabled())
            continue;
        auto* timer = static_cast<Timer*>(widget);
        if (timer->m_interval.count() <= 0 || timer->m_nextTick > until)
            continue;
        if (!next || timer->m_nextTick < next->m_nextTick)
            next = timer;
    }
    return next;
}

void WidgetHost::callDirectly(Widget& widget, Event event) {
    const auto* handler = handlerOf(widget, event);
    if (!handler)
        throw refusal(widget, " has no such event");
    runHandler(widget, event, Invocation::DirectCall, *handler);
}

void WidgetHost::raiseNested(Widget& widget, Event event, const std::function<void()>& handler) {
    runHandler(widget, event, Invocation::Raised, handler);
}

void WidgetHost::runHandler(Widget& widget, Event event, Invocation invocation,
                            const std::function<void()>& handler) {
    if (!handler)
        return;
    // Observers may come and go between handlers but not inside a notification.
    const auto observers = m_observers;
    for (auto* observer : observers)
        observer->handlerStarted(widget, event, invocation);
    try {
        TemporaryChange nesting(m_depth, m_depth + 1);
        handler();
    } catch (const RuntimeError& error) {
        for (auto* observer : observers)
            observer->handlerFinished(widget, event, invocation, &error);
        throw;
    }
    for (auto* observer : observers)
        observer->handlerFinished(widget, event, invocation, nullptr);
}

std::optional<RuntimeError> WidgetHost::dispatch(const std::function<void()>& action) {
    // Events come one at a time: nothing the user does, and no tick, reaches a running handler.
    if (m_depth > 0)
        return RuntimeError(ErrorKind::InvalidWidgetUse, "an event cannot arrive inside a handler");
    try {
        action();
    } catch (const RuntimeError& error) {
        return error;
    }
    return std::nullopt;
}

void WidgetHost::notifyChange(const Widget& widget, WidgetChange change) {
    const auto observers = m_observers;
    for (auto* observer : observers)
        observer->widgetChanged(widget, change);
}

void WidgetHost::noteFieldWrite(std::string_view field, std::string_view value) {
    const auto observers = m_observers;
    for (auto* observer : observers)
        observer->fieldWritten(field, value);
}

void WidgetHost::moveFocus(Widget& widget) {
    m_focus = &widget;
    notifyChange(widget, WidgetChange::Focus);
}

void WidgetHost::addObserver(HostObserver& observer) {
    m_observers.push_back(&observer);
}

void WidgetHost::removeObserver(HostObserver& observer) {
    std::erase(m_observers, &observer);
}

} // namespace ruvo
