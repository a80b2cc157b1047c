// The WebAssembly module's interface to JavaScript: one ElementControl per <ruvo-moravine>, and
// datenice. Plain values cross: names, texts, numbers and arrays of them.
#include "hosting/web/web_control.h"

#include "control/core/widget_tree.h"
#include "dating/date.h"
#include "dating/date_text.h"
#include "hosting/view/accessibility.h"
#include "hosting/view/geometry.h"

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <string_view>

namespace ruvo::web {

namespace {

using emscripten::val;

std::string_view changeName(WidgetChange change) {
    switch (change) {
    case WidgetChange::Caption:
        return "caption";
    case WidgetChange::Visible:
        return "visible";
    case WidgetChange::Enabled:
        return "enabled";
    case WidgetChange::Value:
        return "value";
    case WidgetChange::Text:
        return "text";
    case WidgetChange::BackColor:
        return "backColor";
    case WidgetChange::ItemAdded:
        return "itemAdded";
    case WidgetChange::ItemsCleared:
        return "itemsCleared";
    case WidgetChange::Focus:
        break;
    }
    return "focus";
}

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

val texts(const std::vector<std::string>& items) {
    val array = val::array();
    for (const std::string& item : items)
        array.call<void>("push", item);
    return array;
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

// The page's colours by system colour number, as [r, g, b] triples.
view::SystemPalette paletteOf(const val& colors) {
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

// The control of one element. view is the element's side: changed(name, change),
// moveFocus(name or ""), resultsChanged({edd, eddMethod, gestationAtBirthDays}).
class ElementControl {
  public:
    ElementControl(int year, int month, int day, const val& palette, double nowMs, val view)
        : m_view(std::move(view)),
          m_control(
              dateFromCivil({year, month, day}), paletteOf(palette), nowMs,
              {.changed =
                   [this](const Widget& widget, WidgetChange change) {
                       m_view.call<void>("changed", widget.name(), std::string(changeName(change)));
                   },
               .moveFocus =
                   [this](const Widget* widget) {
                       m_view.call<void>("moveFocus", widget ? widget->name() : std::string());
                   },
               .resultsChanged =
                   [this](const view::HostResults& results) {
                       val shown = val::object();
                       shown.set("edd", results.edd ? isoDate(*results.edd) : "");
                       shown.set("eddMethod", results.method
                                                  ? std::string(view::methodKey(*results.method))
                                                  : "");
                       shown.set("gestationAtBirthDays", results.gestationAtBirthDays.value_or(-1));
                       m_view.call<void>("resultsChanged", shown);
                   }}) {}

    val initialize(double nowMs) { return texts(m_control.initialize(nowMs)); }
    val click(const std::string& name, double nowMs, bool focusInside) {
        return texts(m_control.click(name, nowMs, focusInside));
    }
    val pick(const std::string& name, const std::string& item, double nowMs, bool focusInside) {
        return texts(m_control.pick(name, item, nowMs, focusInside));
    }
    val tick(double nowMs, bool focusInside) { return texts(m_control.tick(nowMs, focusInside)); }
    double untilNextTick() const { return m_control.untilNextTick().value_or(-1); }

    std::string keyTarget(const std::string& focused, const std::string& key) {
        const auto named = keyNamed(key);
        const Widget* target = named ? m_control.keyTarget(focused, *named) : nullptr;
        return target ? target->name() : std::string();
    }
    void userFocused(const std::string& name) { m_control.userFocused(name); }
    void setToday(int year, int month, int day) {
        if (const auto today = tryDateFromCivil({year, month, day}))
            m_control.setToday(*today);
    }

    // The surface's size in CSS pixels.
    val size() const {
        const view::PixelRect rect = view::toPixels(moravineGeometry, view::ViewScale{});
        val shown = val::object();
        shown.set("width", rect.width);
        shown.set("height", rect.height);
        return shown;
    }

    // Every widget the element shows, in the order to append them: where, what and how.
    val layout() const {
        val widgets = val::array();
        for (const Widget* widget : m_control.widgetsInOrder()) {
            const view::PixelRect rect = view::toPixels(widget->geometry(), view::ViewScale{});
            val shown = val::object();
            shown.set("name", widget->name());
            shown.set("kind", std::string(kindName(widget->kind())));
            shown.set("parent", widget->parent() && widget->parent()->parent()
                                    ? widget->parent()->name()
                                    : std::string());
            shown.set("role", std::string(roleName(view::accessibleRole(*widget))));
            shown.set("left", rect.left);
            shown.set("top", rect.top);
            shown.set("width", rect.width);
            shown.set("height", rect.height);
            shown.set("centered", widget->alignment() == TextAlignment::Center);
            shown.set("bordered", widget->border() == BorderStyle::FixedSingle);
            if (widget->kind() == WidgetKind::ComboBox)
                shown.set("items", texts(static_cast<const ComboBox&>(*widget).items()));
            widgets.call<void>("push", shown);
        }
        return widgets;
    }

    // A widget's state now: caption, visible, enabled, checked, selected (-1 for none), its own
    // colours, and its name and description for assistive technology.
    val state(const std::string& name) const {
        const Widget& widget = m_control.widget(name);
        val shown = val::object();
        shown.set("caption", widget.caption());
        shown.set("visible", widget.visible());
        shown.set("enabled", widget.enabled());
        if (widget.kind() == WidgetKind::OptionButton)
            shown.set("checked", static_cast<const OptionButton&>(widget).value());
        if (widget.kind() == WidgetKind::ComboBox) {
            const auto selected = static_cast<const ComboBox&>(widget).selectedIndex();
            shown.set("selected", selected ? static_cast<int>(*selected) : -1);
        }
        const auto [back, fore] = m_control.colorsOf(widget);
        shown.set("back", back);
        shown.set("fore", fore);
        const view::Accessible accessible = view::accessibleOf(widget);
        shown.set("accessibleName", accessible.name);
        shown.set("description", accessible.description);
        return shown;
    }

    std::string lastItem(const std::string& name) const {
        const auto& items = static_cast<const ComboBox&>(m_control.widget(name)).items();
        return items.empty() ? std::string() : items.back();
    }

  private:
    val m_view;
    WebControl m_control;
};

// The display form of a date, "26 October 2006"; empty for a date outside 1 January 100 to
// 31 December 9999 or one that does not exist.
std::string datenice(int year, int month, int day) {
    const auto date = tryDateFromCivil({year, month, day});
    return date ? ruvo::datenice(*date) : std::string();
}

} // namespace

EMSCRIPTEN_BINDINGS(moravine) {
    emscripten::class_<ElementControl>("ElementControl")
        .constructor<int, int, int, const val&, double, val>()
        .function("initialize", &ElementControl::initialize)
        .function("click", &ElementControl::click)
        .function("pick", &ElementControl::pick)
        .function("tick", &ElementControl::tick)
        .function("untilNextTick", &ElementControl::untilNextTick)
        .function("keyTarget", &ElementControl::keyTarget)
        .function("userFocused", &ElementControl::userFocused)
        .function("setToday", &ElementControl::setToday)
        .function("size", &ElementControl::size)
        .function("layout", &ElementControl::layout)
        .function("state", &ElementControl::state)
        .function("lastItem", &ElementControl::lastItem);
    emscripten::function("datenice", &datenice);
}

} // namespace ruvo::web
