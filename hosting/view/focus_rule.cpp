#include "hosting/view/focus_rule.h"

#include "hosting/view/accessibility.h"

namespace ruvo::view {

namespace {

// The result inside a frame just shown, if it holds one.
const Widget* resultIn(const Widget& frame) {
    for (const Widget* child : frame.children()) {
        if (accessibleRole(*child) == Role::ResultText)
            return child;
    }
    return nullptr;
}

} // namespace

FocusRule::FocusRule(WidgetHost& host) : m_host(host) {
    m_host.addObserver(*this);
}

FocusRule::~FocusRule() {
    m_host.removeObserver(*this);
}

void FocusRule::userMoved(const Widget* widget) {
    m_focus = widget;
    m_blinkedAway = nullptr;
}

void FocusRule::widgetChanged(const Widget& widget, WidgetChange change) {
    if (change == WidgetChange::Focus)
        m_setFocus = &widget;
    else if (change == WidgetChange::Visible && widget.visible())
        if (const Widget* result = resultIn(widget))
            m_resultShown = result;
}

void FocusRule::handlerStarted(const Widget&, Event event, Invocation) {
    if (m_host.depth() > 0)
        return;
    m_resultShown = nullptr;
    m_setFocus = nullptr;
    m_inTimer = event == Event::Timer;
}

void FocusRule::handlerFinished(const Widget&, Event, Invocation, const RuntimeError*) {
    if (m_host.depth() == 0)
        settle();
}

void FocusRule::settle() {
    if (m_setFocus) {
        m_blinkedAway = nullptr;
        moveTo(m_setFocus);
    } else if (m_focus && !m_focus->canTakeInput()) {
        m_blinkedAway = m_inTimer ? m_focus : nullptr;
        moveTo(m_resultShown && m_resultShown->canTakeInput() ? m_resultShown : nullptr);
    } else if (!m_focus && m_blinkedAway && m_blinkedAway->canTakeInput()) {
        const Widget* back = m_blinkedAway;
        m_blinkedAway = nullptr;
        moveTo(back);
    }
}

void FocusRule::moveTo(const Widget* widget) {
    m_focus = widget;
    if (onMove)
        onMove(widget);
}

} // namespace ruvo::view
