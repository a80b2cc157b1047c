#include "host/event_trace.h"

#include "host/combo_box.h"
#include "host/option_button.h"
#include "host/value_text.h"
#include "host/widget_host.h"

#include <ostream>

namespace ruvo {

namespace {

std::string_view eventName(Event event) {
    switch (event) {
    case Event::Initialize:
        return "Initialize";
    case Event::Click:
        return "Click";
    case Event::Timer:
        return "Timer";
    }
    return "Event";
}

std::string describeChange(const Widget& widget, WidgetChange change) {
    const std::string& name = widget.name();
    switch (change) {
    case WidgetChange::Caption:
        return name + ".Caption = " + quotedText(widget.caption());
    case WidgetChange::Visible:
        return name + ".Visible = " + std::string(boolText(widget.visible()));
    case WidgetChange::Enabled:
        return name + ".Enabled = " + std::string(boolText(widget.enabled()));
    case WidgetChange::Value:
        return name + ".Value = " +
               std::string(boolText(static_cast<const OptionButton&>(widget).value()));
    case WidgetChange::Text:
        return name + ".Text = " + quotedText(static_cast<const ComboBox&>(widget).text());
    case WidgetChange::BackColor:
        return name + ".BackColor = " + colorText(widget.backColor());
    case WidgetChange::ItemAdded:
        return name + ".AddItem " + quotedText(static_cast<const ComboBox&>(widget).items().back());
    case WidgetChange::ItemsCleared:
        return name + ".Clear";
    case WidgetChange::Focus:
        return name + ".SetFocus";
    }
    return name;
}

} // namespace

EventTrace::EventTrace(WidgetHost& host) : m_host(host) {
    m_host.addObserver(*this);
}

EventTrace::EventTrace(WidgetHost& host, std::ostream& out) : m_host(host), m_out(&out) {
    m_host.addObserver(*this);
}

EventTrace::~EventTrace() {
    m_host.removeObserver(*this);
}

void EventTrace::note(std::string_view text) {
    line(text);
}

void EventTrace::widgetChanged(const Widget& widget, WidgetChange change) {
    line(describeChange(widget, change));
}

void EventTrace::fieldWritten(std::string_view field, std::string_view value) {
    line(std::string(field) + " = " + std::string(value));
}

void EventTrace::handlerStarted(const Widget& widget, Event event, Invocation invocation) {
    std::string text = "> " + widget.name() + "." + std::string(eventName(event));
    if (invocation == Invocation::DirectCall)
        text += " (direct call)";
    line(text);
}

void EventTrace::handlerFinished(const Widget& widget, Event event, Invocation,
                                 const RuntimeError* error) {
    std::string text = "< " + widget.name() + "." + std::string(eventName(event));
    if (error)
        text += std::string(" (error: ") + error->what() + ")";
    line(text);
}

void EventTrace::line(std::string_view text) {
    std::string indented(static_cast<std::size_t>(2 * m_host.depth()), ' ');
    indented += text;
    indented += '\n';
    if (m_out)
        *m_out << indented << std::flush;
    else
        m_text += indented;
}

} // namespace ruvo
