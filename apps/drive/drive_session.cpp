#include "apps/drive/drive_session.h"

#include "dating/date_text.h"
#include "host/value_text.h"

#include <istream>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace ruvo {

namespace {

// A command the session cannot carry out as written.
class CommandError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// A command line split into its words; rest(n) is the text from word n on, as typed.
class Words {
  public:
    explicit Words(std::string_view line) : m_line(line) {
        std::size_t i = 0;
        while (i < line.size()) {
            while (i < line.size() && isBlank(line[i]))
                ++i;
            const std::size_t start = i;
            while (i < line.size() && !isBlank(line[i]))
                ++i;
            if (i > start)
                m_words.push_back({start, line.substr(start, i - start)});
        }
    }

    std::size_t size() const { return m_words.size(); }
    std::string_view operator[](std::size_t n) const { return m_words[n].text; }
    std::string_view rest(std::size_t n) const { return m_line.substr(m_words[n].start); }

    // Refuses a command with fewer than count words, or more unless the last takes the rest.
    enum class Last { Word, Rest };
    void expect(std::size_t count, std::string_view form, Last last = Last::Word) const {
        if (size() < count)
            throw CommandError(std::string(form));
        if (last == Last::Word && size() > count)
            throw CommandError("unexpected " + quotedText(rest(count)) + " after the command");
    }

  private:
    struct Word {
        std::size_t start;
        std::string_view text;
    };
    std::string_view m_line;
    std::vector<Word> m_words;
};

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
    line = trimmed(line);
    if (line.empty() || line.front() == '#')
        return;
    try {
        parse(line)();
    } catch (const std::exception& error) {
        m_out << "error: " << error.what() << '\n';
    }
}

std::function<void()> DriveSession::parse(std::string_view line) {
    using Last = Words::Last;
    const Words words(line);
    const std::string_view command = words[0];
    if (command == "click") {
        words.expect(2, "click takes a widget name");
        Widget& target = widget(words[1]);
        return [this, &target] { report(m_actions.click(target)); };
    }
    if (command == "pick") {
        words.expect(3, "pick takes a list name and an item", Last::Rest);
        Widget& list = widget(words[1]);
        return [this, &list, item = std::string(words.rest(2))] {
            report(m_actions.pick(list, item));
        };
    }
    if (command == "tick") {
        words.expect(2, "tick takes a timer name");
        Widget& timer = widget(words[1]);
        return [this, &timer] { report(m_actions.tick(timer)); };
    }
    if (command == "get") {
        words.expect(2, "get takes NAME.PROPERTY");
        const std::string_view target = words[1];
        const auto dot = target.find('.');
        if (dot == std::string_view::npos)
            throw CommandError("get takes NAME.PROPERTY");
        auto read = property(widget(target.substr(0, dot)), target.substr(dot + 1));
        return [this, read] { m_out << read() << '\n'; };
    }
    if (command == "field") {
        words.expect(2, "field takes a field name");
        const StateFieldView* field = m_control.state.field(words[1]);
        if (!field)
            throw CommandError("no field named " + quotedText(words[1]));
        return [this, field] { m_out << field->text() << '\n'; };
    }
    if (command == "call") {
        words.expect(2, "call takes datenice DATE", Last::Rest);
        if (words[1] != "datenice")
            throw CommandError("the control's one method is datenice");
        words.expect(3, "call takes datenice DATE", Last::Rest);
        const Date date = parseDate(words.rest(2));
        return [this, date] { m_out << m_control.datenice(date) << '\n'; };
    }
    if (command == "trace") {
        words.expect(2, "trace takes on or off");
        if (words[1] == "on")
            return [this] { m_trace = std::make_unique<EventTrace>(m_control.host, m_out); };
        if (words[1] == "off")
            return [this] { m_trace.reset(); };
        throw CommandError("trace takes on or off");
    }
    throw CommandError("unknown command " + quotedText(command));
}

Widget& DriveSession::widget(std::string_view name) const {
    if (Widget* found = m_control.host.find(name))
        return *found;
    throw CommandError("no widget named " + quotedText(name));
}

std::function<std::string()> DriveSession::property(Widget& widget, std::string_view name) const {
    const WidgetKind kind = widget.kind();
    const bool drawn = kind != WidgetKind::Timer;
    auto* list = kind == WidgetKind::ComboBox ? static_cast<ComboBox*>(&widget) : nullptr;
    auto* option = kind == WidgetKind::OptionButton ? static_cast<OptionButton*>(&widget) : nullptr;
    const bool captioned = kind == WidgetKind::Frame || kind == WidgetKind::Label ||
                           kind == WidgetKind::OptionButton || kind == WidgetKind::CommandButton;
    auto text = [](bool value) { return std::string(boolText(value)); };
    if (name == "Caption" && captioned)
        return [&widget] { return widget.caption(); };
    if (name == "Text" && list)
        return [list] { return list->text(); };
    if (name == "Items" && list)
        return [list] { return joined(list->items()); };
    if (name == "Value" && option)
        return [option, text] { return text(option->value()); };
    if (name == "Enabled")
        return [&widget, text] { return text(widget.enabled()); };
    if (name == "Visible" && drawn)
        return [&widget, text] { return text(widget.visible()); };
    if (name == "BackColor" && drawn)
        return [&widget] { return colorText(widget.backColor()); };
    if (name == "Focus" && drawn)
        return [this, &widget, text] { return text(m_control.host.focus() == &widget); };
    throw CommandError(widget.name() + " has no property " + quotedText(name));
}

void DriveSession::report(const std::optional<RuntimeError>& error) {
    if (error)
        m_out << "error: " << error->what() << '\n';
}

} // namespace ruvo
