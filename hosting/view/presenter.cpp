#include "hosting/view/presenter.h"

#include "host/combo_box.h"
#include "host/option_button.h"
#include "host/temporary_change.h"
#include "host/timer.h"
#include "hosting/view/firewall.h"
#include "hosting/view/tab_order.h"

#include <algorithm>
#include <set>
#include <string_view>

namespace ruvo::view {

namespace {

// The widgets are the presenter's own model: the sink names them read-only, and the presenter
// hands them to the host, which changes them.
Widget& own(const Widget& widget) {
    return const_cast<Widget&>(widget);
}

} // namespace

Presenter::Presenter(const Clock& todaysClock, std::chrono::milliseconds blinkInterval)
    : m_control(todaysClock), m_viewed(widgetsToView(m_control.host)) {
    for (Widget* widget : m_control.host.widgets()) {
        if (widget->kind() == WidgetKind::Timer)
            static_cast<Timer*>(widget)->setInterval(blinkInterval);
    }
    m_control.host.addObserver(*this);
    m_resultsWatcher.emplace(m_control, [this](const HostResults& results) {
        m_resultsMoved.edd |= results.edd != m_results.edd || results.method != m_results.method;
        m_resultsMoved.gestationAtBirth |=
            results.gestationAtBirthDays != m_results.gestationAtBirthDays;
        m_results = results;
        if (!m_running)
            notifyResults();
    });
    m_results = m_resultsWatcher->results();
    m_focusRule.onMove = [this](const Widget* widget) {
        m_focusDue = widget;
        if (!m_running && m_sink) {
            // A host scripting the model moved the focus: it is the host's while it is outside.
            m_focusInside = m_sink->focusPlace().has_value();
            applyFocus();
        }
    };
}

Presenter::~Presenter() {
    m_control.host.removeObserver(*this);
}

std::vector<const Widget*> Presenter::widgetsToView(const WidgetHost& host) {
    std::vector<const Widget*> viewed;
    for (const Widget* widget : stackingOrder(host)) {
        if (widget->kind() != WidgetKind::Timer && widget->kind() != WidgetKind::UserControl)
            viewed.push_back(widget);
    }
    return viewed;
}

void Presenter::attach(ViewSink& sink) {
    m_sink = &sink;
    m_accessibleShown.clear();
    m_textsHeard.clear();
    m_tabStops.clear();
    buildViews();
    if (m_initialized)
        layOut(); // else Initialize lays the filled surface out
    m_time.emplace(m_control.host, sink.toolkitTime());
    // What the views show now is what assistive technology hears first: nothing is news yet.
    const TemporaryChange quiet(m_announcing, false);
    afterRun();
}

void Presenter::detach() {
    if (m_sink)
        m_sink->armTimer(std::nullopt);
    m_sink = nullptr;
    m_time.reset();
}

std::optional<RuntimeError> Presenter::initialize() {
    m_initialized = true;
    if (!m_sink)
        return m_control.initialize();
    {
        // Start-up fills every list: nothing is news yet.
        const TemporaryChange quiet(m_announcing, false);
        run(nullptr, [this] { return m_control.initialize(); });
    }
    layOut(); // the lists' items count for the fitting
    return std::nullopt;
}

void Presenter::showOnce(ViewSink& other) {
    const TemporaryChange sink(m_sink, &other);
    const TemporaryChange scale(m_scale, m_scale);
    const TemporaryChange palette(m_palette, m_palette);
    buildViews();
    layOut();
}

void Presenter::buildViews() {
    m_palette = m_sink->systemPalette();
    for (const Widget* widget : viewedWidgets())
        m_sink->createView(*widget);
    for (const Widget* widget : viewedWidgets())
        showState(*widget);
}

void Presenter::click(const Widget& button) {
    run(&button, [&] {
        auto error = m_control.host.click(own(button));
        // A toolkit's radio button may check itself; the model decides which of its group is.
        if (button.kind() == WidgetKind::OptionButton && button.parent()) {
            for (const Widget* sibling : button.parent()->children()) {
                if (sibling->kind() == WidgetKind::OptionButton)
                    show(*sibling, WidgetChange::Value);
            }
        }
        return error;
    });
}

void Presenter::pick(const Widget& list, std::string_view item) {
    run(&list, [&] {
        auto error = m_control.host.pick(own(list), item);
        // The toolkit's list shows the user's pick; a refused one goes back to the model's.
        show(list, WidgetChange::Text);
        show(list, WidgetChange::Enabled);
        return error;
    });
}

bool Presenter::pressKey(const Widget& focused, Key key) {
    if (m_designMode)
        return false;
    Widget* target = keyTarget(own(focused), key);
    if (!target)
        return false;
    if (target != &focused)
        moveFocus(target); // the user's move, with the key
    click(*target);
    return true;
}

void Presenter::timerFired() {
    run(nullptr, {});
}

void Presenter::setDesignMode(bool design) {
    if (design == m_designMode)
        return;
    m_designMode = design;
    if (!m_sink)
        return;
    if (design) {
        m_sink->armTimer(std::nullopt);
        return;
    }
    // The time spent standing still does not count.
    m_time.emplace(m_control.host, m_sink->toolkitTime());
    run(nullptr, {});
}

void Presenter::run(const Widget* target, const Entry& input) {
    if (m_running || m_designMode || !m_sink || !m_time)
        return; // the sink's own calls never enter again; without views no input comes
    const TemporaryChange acting(m_target, target);
    {
        const TemporaryChange running(m_running, true);
        noteFocus();
        const auto now = m_sink->toolkitTime();
        const auto keep = [this](std::optional<std::string> message) {
            if (message)
                m_errors.push_back(std::move(*message));
        };
        if (input) {
            m_time->holdUntil(now);
            keep(guarded(input));
        }
        {
            const TemporaryChange deferring(m_deferring, true);
            keep(guarded([&] { return m_time->catchUp(now); }));
            const bool focusBlinkedAway = m_focusInside && m_focusRule.blinkedAway();
            if (m_time->untilNextTick() && (focusBlinkedAway || m_sink->reducedMotion()))
                keep(guarded([&] { return m_time->finishPrompts(); }));
        }
        flushDeferred();
        applyFocus();
    }
    afterRun();
}

void Presenter::afterRun() {
    if (!m_sink)
        return;
    updateAccessibility();
    updateTabStops();
    notifyResults();
    if (!m_designMode && m_time)
        m_sink->armTimer(m_time->untilNextTick());
    for (const std::string& message : std::exchange(m_errors, {}))
        m_sink->reportError(message);
}

void Presenter::notifyResults() {
    const ResultsMoved moved = std::exchange(m_resultsMoved, {});
    if (m_sink && (moved.edd || moved.gestationAtBirth))
        m_sink->resultsChanged(m_results, moved);
}

void Presenter::noteFocus() {
    const FocusPlace place = m_sink->focusPlace();
    m_focusInside = place.has_value();
    // Between two entries only the user moves the focus.
    if (place && *place != m_focusRule.focus())
        m_focusRule.userMoved(*place);
}

void Presenter::applyFocus() {
    if (!m_focusDue)
        return;
    const Widget* target = *std::exchange(m_focusDue, std::nullopt);
    if (m_focusInside) // else the focus is the host's: the control never takes it
        moveFocus(target);
}

void Presenter::moveFocus(const Widget* target) {
    if (m_sink->focusPlace() == FocusPlace(target))
        return;
    const TemporaryChange moving(m_movingFocus, true);
    m_sink->moveFocus(target);
}

bool Presenter::focusIsIn(const Widget& widget) const {
    const FocusPlace place = m_sink->focusPlace();
    for (const Widget* focused = place ? *place : nullptr; focused; focused = focused->parent()) {
        if (focused == &widget)
            return true;
    }
    return false;
}

void Presenter::widgetChanged(const Widget& widget, WidgetChange change) {
    if (!m_sink || widget.kind() == WidgetKind::Timer || widget.kind() == WidgetKind::UserControl ||
        change == WidgetChange::Focus)
        return; // the host's time runs the timers; the focus rule moves the focus
    if (!m_deferring) {
        show(widget, change);
        return;
    }
    const std::pair<const Widget*, WidgetChange> entry{&widget, change};
    if (std::find(m_deferred.begin(), m_deferred.end(), entry) == m_deferred.end())
        m_deferred.push_back(entry);
}

void Presenter::show(const Widget& widget, WidgetChange change) {
    switch (change) {
    case WidgetChange::Caption:
        m_sink->showCaption(widget, widget.caption());
        break;
    case WidgetChange::Visible:
        // A toolkit hands the focus of a view it hides to the next input; the surface holds it
        // until the focus rule decides, so no input ever has it by accident.
        if (!widget.visible() && focusIsIn(widget))
            moveFocus(nullptr);
        m_sink->showVisible(widget, widget.visible());
        break;
    case WidgetChange::Enabled:
        if (!widget.enabled() && focusIsIn(widget))
            moveFocus(nullptr);
        m_sink->showEnabled(widget, widget.enabled());
        break;
    case WidgetChange::Value:
        m_sink->showChecked(widget, static_cast<const OptionButton&>(widget).value());
        break;
    case WidgetChange::Text:
        m_sink->showSelection(widget, static_cast<const ComboBox&>(widget).selectedIndex());
        break;
    case WidgetChange::BackColor:
        m_sink->showColors(widget, ownColors(widget));
        break;
    case WidgetChange::ItemAdded:
        m_sink->showItemAdded(widget, static_cast<const ComboBox&>(widget).items().back());
        // Some toolkits select the first item of an empty list by themselves.
        show(widget, WidgetChange::Text);
        break;
    case WidgetChange::ItemsCleared:
        m_sink->showItemsCleared(widget);
        break;
    case WidgetChange::Focus:
        break;
    }
}

void Presenter::showState(const Widget& widget) {
    for (const WidgetChange change : {WidgetChange::Caption, WidgetChange::Visible,
                                      WidgetChange::Enabled, WidgetChange::BackColor})
        show(widget, change);
    if (widget.kind() == WidgetKind::OptionButton)
        show(widget, WidgetChange::Value);
    if (widget.kind() == WidgetKind::ComboBox) {
        m_sink->showItemsCleared(widget);
        for (const std::string& item : static_cast<const ComboBox&>(widget).items())
            m_sink->showItemAdded(widget, item);
        show(widget, WidgetChange::Text);
    }
}

// Each change held back while the ticks ran shows once, in the state it ended in.
void Presenter::flushDeferred() {
    std::set<const Widget*> listsShown;
    for (const auto& [widget, change] : std::exchange(m_deferred, {})) {
        if (change == WidgetChange::ItemAdded || change == WidgetChange::ItemsCleared) {
            if (listsShown.insert(widget).second)
                showState(*widget);
        } else {
            show(*widget, change);
        }
    }
}

void Presenter::handlerFinished(const Widget&, Event, Invocation, const RuntimeError*) {
    // A host scripting the model runs handlers outside any entry of ours.
    if (m_control.host.depth() == 0 && !m_running)
        afterRun();
}

} // namespace ruvo::view
