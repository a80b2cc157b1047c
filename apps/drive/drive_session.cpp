#include "apps/drive/drive_session.h"

#include "dating/date_text.h"
#include "host/value_text.h"

#include <cstdio>
#include <istream>
#include <ostream>
#include <stdexcept>
#include <string>

namespace ruvo {

namespace {

// A command the session cannot carry out as written.
class CommandError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Splits off the first word of text, and the spaces after it.
std::string_view takeWord(std::string_view& text) {
    const auto end = std::min(text.find(' '), text.size());
    const std::string_view word = text.substr(0, end);
    text.remove_prefix(end);
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    return word;
}

std::string joined(const std::vector<std::string>& items) {
    std::string text;
    for (const std::string& item : items) {
        if (!text.empty())
            text += ',';
        text += item;
    }
    return text;
}

} // namespace

DriveSession::DriveSession(Moravine& control, DriveActions& actions, std::ostream& out)
    : m_control(control), m_actions(actions), m_out(out) {}

void DriveSession::run(std::istream& in) {
    std::string line;
    while (std::getline(in, line))
        execute(line);
}

void DriveSession::execute(std::string_view line) {
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    if (line.empty() || line.front() == '#')
        return;
    try {
        command(line);
    } catch (const std::exception& error) {
        m_out << "error: " << error.what() << '\n';
    }
}

void DriveSession::command(std::string_view line) {
    const std::string_view command = takeWord(line);
    if (command == "click") {
        report(m_actions.click(widget(takeWord(line))));
    } else if (command == "pick") {
        Widget& list = widget(takeWord(line));
        report(m_actions.pick(list, line));
        line = {};
    } else if (command == "tick") {
        report(m_actions.tick(widget(takeWord(line))));
    } else if (command == "get") {
        const std::string_view target = takeWord(line);
        const auto dot = target.find('.');
        if (dot == std::string_view::npos)
            throw CommandError("get takes NAME.PROPERTY");
        m_out << property(widget(target.substr(0, dot)), target.substr(dot + 1)) << '\n';
    } else if (command == "field") {
        m_out << field(takeWord(line)) << '\n';
    } else if (command == "call") {
        if (takeWord(line) != "datenice")
            throw CommandError("the control's one method is datenice");
        const Date date = parseDate(line);
        line = {};
        m_out << m_control.datenice(date) << '\n';
    } else if (command == "trace") {
        const std::string_view state = takeWord(line);
        if (state == "on")
            m_trace = std::make_unique<EventTrace>(m_control.host, m_out);
        else if (state == "off")
            m_trace.reset();
        else
            throw CommandError("trace takes on or off");
    } else {
        throw CommandError("unknown command \"" + std::string(command) + "\"");
    }
    if (!line.empty())
        throw CommandError("unexpected \"" + std::string(line) + "\" after the command");
}

Widget& DriveSession::widget(std::string_view name) const {
    if (Widget* found = m_control.host.find(name))
        return *found;
    throw CommandError("no widget named \"" + std::string(name) + "\"");
}

std::string DriveSession::property(Widget& widget, std::string_view name) const {
    const WidgetKind kind = widget.kind();
    const bool drawn = kind != WidgetKind::Timer;
    auto* list = kind == WidgetKind::ComboBox ? static_cast<ComboBox*>(&widget) : nullptr;
    auto* option = kind == WidgetKind::OptionButton ? static_cast<OptionButton*>(&widget) : nullptr;
    const bool captioned = kind == WidgetKind::Frame || kind == WidgetKind::Label ||
                           kind == WidgetKind::OptionButton || kind == WidgetKind::CommandButton;
    if (name == "Caption" && captioned)
        return widget.caption();
    if (name == "Text" && list)
        return list->text();
    if (name == "Items" && list)
        return joined(list->items());
    if (name == "Value" && option)
        return std::string(boolText(option->value()));
    if (name == "Enabled")
        return std::string(boolText(widget.enabled()));
    if (name == "Visible" && drawn)
        return std::string(boolText(widget.visible()));
    if (name == "BackColor" && drawn)
        return colorText(widget.backColor());
    if (name == "Focus" && drawn)
        return std::string(boolText(m_control.host.focus() == &widget));
    throw CommandError(widget.name() + " has no property \"" + std::string(name) + "\"");
}

std::string DriveSession::field(std::string_view name) const {
    const ControlState& state = m_control.state;
    if (name == "EDDDate")
        return isoDate(state.EDDDate);
    if (name == "DOBDate")
        return isoDate(state.DOBDate);
    if (name == "ScanGestDays") {
        char text[32];
        std::snprintf(text, sizeof text, "%.17g", state.ScanGestDays);
        return text;
    }
    if (name == "DaysToEDD")
        return std::to_string(state.DaysToEDD);
    if (name == "Tick1")
        return std::to_string(state.Tick1);
    if (name == "Tick2")
        return std::to_string(state.Tick2);
    if (name == "Tick3")
        return std::to_string(state.Tick3);
    if (name == "DOBFirstPick")
        return std::string(boolText(state.DOBFirstPick != False16));
    throw CommandError("no field named \"" + std::string(name) + "\"");
}

void DriveSession::report(const std::optional<RuntimeError>& error) {
    if (error)
        m_out << "error: " << error->what() << '\n';
}

} // namespace ruvo
