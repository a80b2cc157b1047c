// The WebAssembly module's interface to JavaScript: one ElementView per <ruvo-moravine>, and
// datenice. Plain values cross: names, texts, numbers and arrays of them.
#include "control/core/widget_tree.h"
#include "dating/clock.h"
#include "dating/date.h"
#include "dating/date_text.h"
#include "host/combo_box.h"
#include "hosting/view/presenter.h"
#include "hosting/view/view_sink.h"

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <string_view>

namespace ruvo::web {

namespace {

using emscripten::val;

// The element's design font, 11 CSS pixels: a host font-size of 22px draws it twice as large.
constexpr double designFontPixels = 11;

std::string_view roleName(view::Role role) {
    switch (role) {
    case view::Role::Client:
        return "client";
    case view::Role::Grouping:
        return "grouping";
    case view::Role::StaticText:
        return "text";
    case view::Role::ResultText:
        return "result";
    case view::Role::RadioButton:
        return "radio";
    case view::Role::ComboBox:
        return "list";
    case view::Role::PushButton:
        return "button";
    case view::Role::Graphic:
        return "picture";
    case view::Role::None:
        break;
    }
    return "none";
}

std::optional<view::Key> keyNamed(const std::string& name) {
    static constexpr std::array<std::pair<std::string_view, view::Key>, 6> keys{{
        {" ", view::Key::Space},
        {"Enter", view::Key::Enter},
        {"ArrowUp", view::Key::Up},
        {"ArrowDown", view::Key::Down},
        {"ArrowLeft", view::Key::Left},
        {"ArrowRight", view::Key::Right},
    }};
    for (const auto& [key, value] : keys) {
        if (key == name)
            return value;
    }
    return std::nullopt;
}

std::string cssColor(const std::optional<view::Rgb>& color) {
    if (!color)
        return {};
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", color->red, color->green, color->blue);
    return text;
}

view::PixelSize sizeOf(const val& size) {
    return {static_cast<int>(std::ceil(size["width"].as<double>())),
            static_cast<int>(std::ceil(size["height"].as<double>()))};
}

// The control of one element, the presenter's sink. view is the element's side: a method of the
// same name for each call of the sink, with names and plain values.
class ElementView final : public view::ViewSink {
  public:
    ElementView(int year, int month, int day, val view)
        : m_view(std::move(view)), m_clock(dateFromCivil({year, month, day})) {}

    // Builds the views and raises Initialize; call once, when the element can take calls.
    void start() {
        m_presenter.attach(*this);
        (void)m_presenter.initialize(); // with views: an error is reported to the page
    }

    // The element names only widgets it shows; any other name reaches nothing.
    void click(const std::string& name) {
        if (const Widget* target = find(name))
            m_presenter.click(*target);
    }
    void pick(const std::string& name, const std::string& item) {
        if (const Widget* list = find(name))
            m_presenter.pick(*list, item);
    }
    // Whether the control took the key: the browser's own handling is then to be prevented.
    bool pressKey(const std::string& focused, const std::string& key) {
        const Widget* widget = find(focused);
        const auto named = keyNamed(key);
        return widget && named && m_presenter.pressKey(*widget, *named);
    }
    void timerFired() { m_presenter.timerFired(); }
    void layOut() { m_presenter.layOut(); }
    void setToday(int year, int month, int day) {
        if (const auto today = tryDateFromCivil({year, month, day}))
            m_clock.setToday(*today);
    }

  private:
    const Widget* find(const std::string& name) const {
        return name.empty() ? nullptr : m_presenter.control().host.find(name);
    }

    void createView(const Widget& widget) override {
        val shown = val::object();
        shown.set("name", widget.name());
        shown.set("parent", widget.parent() && widget.parent()->parent() ? widget.parent()->name()
                                                                         : std::string());
        shown.set("role", std::string(roleName(view::accessibleRole(widget))));
        shown.set("centered", widget.alignment() == TextAlignment::Center);
        shown.set("bordered", widget.border() == BorderStyle::FixedSingle);
        m_view.call<void>("createView", shown);
    }
    void placeView(const Widget& widget, const view::PixelRect& rect) override {
        m_view.call<void>("placeView", surfaceName(widget), rect.left, rect.top, rect.width,
                          rect.height);
    }
    void showCaption(const Widget& widget, const std::string& caption) override {
        m_view.call<void>("showCaption", widget.name(), caption);
    }
    void showVisible(const Widget& widget, bool visible) override {
        m_view.call<void>("showVisible", widget.name(), visible);
    }
    void showEnabled(const Widget& widget, bool enabled) override {
        m_view.call<void>("showEnabled", widget.name(), enabled);
    }
    void showChecked(const Widget& option, bool checked) override {
        m_view.call<void>("showChecked", option.name(), checked);
    }
    void showSelection(const Widget& list, std::optional<std::size_t> index) override {
        m_view.call<void>("showSelection", list.name(), index ? static_cast<int>(*index) : -1);
    }
    void showItemAdded(const Widget& list, const std::string& item) override {
        m_view.call<void>("showItemAdded", list.name(), item);
    }
    void showItemsCleared(const Widget& list) override {
        m_view.call<void>("showItemsCleared", list.name());
    }
    void showColors(const Widget& widget, const view::OwnColors& colors) override {
        m_view.call<void>("showColors", widget.name(), cssColor(colors.back),
                          cssColor(colors.fore));
    }
    void showTabStop(const Widget& option, bool stop) override {
        m_view.call<void>("showTabStop", option.name(), stop);
    }
    void showAccessible(const Widget& widget, const view::Accessible& accessible) override {
        m_view.call<void>("showAccessible", widget.name(), accessible.name, accessible.description);
    }
    // A select and an output tell assistive technology of their new text themselves.
    void noticeTextChange(const Widget&, const std::string&, const std::string&) override {}
    void announce(const std::string& text) override { m_view.call<void>("announce", text); }

    view::FocusPlace focusPlace() const override {
        const val focused = m_view.call<val>("focusPlace");
        if (focused.isNull() || focused.isUndefined())
            return std::nullopt;
        return find(focused.as<std::string>());
    }
    void moveFocus(const Widget* widget) override {
        m_view.call<void>("moveFocus", widget ? widget->name() : std::string());
    }

    std::chrono::milliseconds toolkitTime() const override {
        return std::chrono::milliseconds(
            static_cast<long long>(std::floor(m_view.call<double>("toolkitTime"))));
    }
    void armTimer(std::optional<std::chrono::milliseconds> wait) override {
        m_view.call<void>("armTimer", wait ? static_cast<double>(wait->count()) : -1.0);
    }
    bool reducedMotion() const override { return m_view.call<bool>("reducedMotion"); }

    view::ViewScale fontScale() const override {
        const double pixels = m_view.call<double>("fontPixels");
        return {96, pixels > 0 ? pixels / designFontPixels : 1};
    }
    view::PixelSize measureText(const std::string& text) const override {
        return sizeOf(m_view.call<val>("measureText", text));
    }
    view::PixelSize textArea(const Widget& widget, view::PixelSize box) const override {
        return sizeOf(m_view.call<val>("textArea", widget.name(), box.width, box.height));
    }
    // The page's colours by system colour number, as [r, g, b] triples.
    view::SystemPalette systemPalette() const override {
        const val colors = m_view.call<val>("systemPalette");
        view::SystemPalette palette;
        const auto count =
            std::min<std::size_t>(colors["length"].as<std::size_t>(), palette.colors.size());
        for (std::size_t i = 0; i < count; ++i) {
            const val rgb = colors[i];
            palette.colors[i] = {rgb[0].as<std::uint8_t>(), rgb[1].as<std::uint8_t>(),
                                 rgb[2].as<std::uint8_t>()};
        }
        return palette;
    }

    void reportError(const std::string& message) override {
        m_view.call<void>("reportError", message);
    }
    void resultsChanged(const view::HostResults& results, view::ResultsMoved moved) override {
        val shown = val::object();
        shown.set("edd", results.edd ? isoDate(*results.edd) : "");
        shown.set("eddMethod", results.method ? std::string(view::methodKey(*results.method)) : "");
        shown.set("gestationAtBirthDays", results.gestationAtBirthDays.value_or(-1));
        m_view.call<void>("resultsChanged", shown, moved.edd, moved.gestationAtBirth);
    }

    // The element's own box is the surface: its name is empty.
    static std::string surfaceName(const Widget& widget) {
        return widget.kind() == WidgetKind::UserControl ? std::string() : widget.name();
    }

    val m_view;
    FixedClock m_clock;
    view::Presenter m_presenter{m_clock, promptInterval};
};

// The display form of a date, "26 October 2006"; empty for a date outside 1 January 100 to
// 31 December 9999 or one that does not exist.
std::string datenice(int year, int month, int day) {
    const auto date = tryDateFromCivil({year, month, day});
    return date ? ruvo::datenice(*date) : std::string();
}

} // namespace

EMSCRIPTEN_BINDINGS(moravine) {
    emscripten::class_<ElementView>("ElementView")
        .constructor<int, int, int, val>()
        .function("start", &ElementView::start)
        .function("click", &ElementView::click)
        .function("pick", &ElementView::pick)
        .function("pressKey", &ElementView::pressKey)
        .function("timerFired", &ElementView::timerFired)
        .function("layOut", &ElementView::layOut)
        .function("setToday", &ElementView::setToday);
    emscripten::function("datenice", &datenice);
}

} // namespace ruvo::web
