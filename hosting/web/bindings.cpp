// The WebAssembly module's interface to JavaScript: one ElementView per <ruvo-moravine>, and
// datenice. Plain C functions and numbers cross, and texts as UTF-8 in the module's memory: no
// function is ever made from text, so a page's Content-Security-Policy needs no 'unsafe-eval'.
#include "control/core/widget_tree.h"
#include "dating/clock.h"
#include "dating/date.h"
#include "dating/date_text.h"
#include "host/combo_box.h"
#include "host/runtime_error.h"
#include "hosting/view/host_record.h"
#include "hosting/view/presenter.h"
#include "hosting/view/view_sink.h"

#include <emscripten/em_js.h>
#include <emscripten/emscripten.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <stdexcept>
#include <string>
#include <string_view>

// The element's side of each sink call, found by the element's number. An element the page
// has let go has a sink that does nothing and answers zeros. (Emscripten's optimizer reads
// these bodies: they keep to the JavaScript it knows, without ?. and ??.)
// clang-format off
EM_JS(void, ruvo_create_view, (int id, int index, const char* name, const char* parent,
                               const char* role, int centered, int bordered), {
    Module.sinkOf(id).createView(index, UTF8ToString(name), UTF8ToString(parent),
                                  UTF8ToString(role), centered !== 0, bordered !== 0);
});
EM_JS(void, ruvo_place_view, (int id, const char* name, int left, int top, int width,
                              int height), {
    Module.sinkOf(id).placeView(UTF8ToString(name), left, top, width, height);
});
EM_JS(void, ruvo_show_caption, (int id, const char* name, const char* caption), {
    Module.sinkOf(id).showCaption(UTF8ToString(name), UTF8ToString(caption));
});
EM_JS(void, ruvo_show_visible, (int id, const char* name, int visible), {
    Module.sinkOf(id).showVisible(UTF8ToString(name), visible !== 0);
});
EM_JS(void, ruvo_show_enabled, (int id, const char* name, int enabled), {
    Module.sinkOf(id).showEnabled(UTF8ToString(name), enabled !== 0);
});
EM_JS(void, ruvo_show_checked, (int id, const char* name, int checked), {
    Module.sinkOf(id).showChecked(UTF8ToString(name), checked !== 0);
});
EM_JS(void, ruvo_show_selection, (int id, const char* name, int index), {
    Module.sinkOf(id).showSelection(UTF8ToString(name), index);
});
EM_JS(void, ruvo_show_item_added, (int id, const char* name, const char* item), {
    Module.sinkOf(id).showItemAdded(UTF8ToString(name), UTF8ToString(item));
});
EM_JS(void, ruvo_show_items_cleared, (int id, const char* name), {
    Module.sinkOf(id).showItemsCleared(UTF8ToString(name));
});
EM_JS(void, ruvo_show_colors, (int id, const char* name, const char* back, const char* fore), {
    Module.sinkOf(id).showColors(UTF8ToString(name), UTF8ToString(back), UTF8ToString(fore));
});
EM_JS(void, ruvo_show_tab_stop, (int id, const char* name, int stop), {
    Module.sinkOf(id).showTabStop(UTF8ToString(name), stop !== 0);
});
EM_JS(void, ruvo_show_accessible, (int id, const char* name, const char* accessibleName,
                                   const char* description), {
    Module.sinkOf(id).showAccessible(UTF8ToString(name), UTF8ToString(accessibleName),
                                      UTF8ToString(description));
});
EM_JS(void, ruvo_announce, (int id, const char* text), {
    Module.sinkOf(id).announce(UTF8ToString(text));
});
EM_JS(int, ruvo_focus_place, (int id), {
    return Module.sinkOf(id).focusPlace();
});
EM_JS(void, ruvo_move_focus, (int id, const char* name), {
    Module.sinkOf(id).moveFocus(UTF8ToString(name));
});
EM_JS(double, ruvo_toolkit_time, (int id), {
    return Module.sinkOf(id).toolkitTime();
});
EM_JS(void, ruvo_arm_timer, (int id, double wait), {
    Module.sinkOf(id).armTimer(wait);
});
EM_JS(int, ruvo_reduced_motion, (int id), {
    return Module.sinkOf(id).reducedMotion() ? 1 : 0;
});
EM_JS(double, ruvo_font_pixels, (int id), {
    return Module.sinkOf(id).fontPixels();
});
EM_JS(void, ruvo_measure_text, (int id, const char* text, int* size), {
    var measured = Module.sinkOf(id).measureText(UTF8ToString(text));
    HEAP32[size >> 2] = Math.ceil(measured[0]);
    HEAP32[(size >> 2) + 1] = Math.ceil(measured[1]);
});
EM_JS(void, ruvo_text_area, (int id, const char* name, int* size), {
    var area = Module.sinkOf(id).textArea(UTF8ToString(name), HEAP32[size >> 2],
                                          HEAP32[(size >> 2) + 1]);
    HEAP32[size >> 2] = Math.floor(area[0]);
    HEAP32[(size >> 2) + 1] = Math.floor(area[1]);
});
// Fills up to count red, green, blue triples.
EM_JS(void, ruvo_system_palette, (int id, unsigned char* rgb, int count), {
    Module.sinkOf(id).systemPalette().slice(0, count).forEach(function(color, i) {
        HEAPU8.set(color, rgb + 3 * i);
    });
});
EM_JS(void, ruvo_report_error, (int id, const char* message), {
    Module.sinkOf(id).reportError(UTF8ToString(message));
});
EM_JS(void, ruvo_results_changed, (int id, const char* edd, const char* method, int gestation,
                                   int eddMoved, int gestationMoved), {
    Module.sinkOf(id).resultsChanged(UTF8ToString(edd), UTF8ToString(method), gestation,
                                      eddMoved !== 0, gestationMoved !== 0);
});
// clang-format on

namespace ruvo::web {

namespace {

// The element's design font, 11 CSS pixels: a host font-size of 22px draws it twice as large.
constexpr double designFontPixels = 11;

// What focusPlace answers for the focus outside the control and on its surface; any other
// answer is the number of a view, in the order they were created.
constexpr int focusOutside = -2;
constexpr int focusOnSurface = -1;

const char* roleName(view::Role role) {
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

std::optional<view::Key> keyNamed(std::string_view name) {
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

// The control of one element, the presenter's sink; id is the element's number on the page's
// side, where each call goes.
class ElementView final : public view::ViewSink {
  public:
    explicit ElementView(int id) : m_id(id), m_clock(dateFromCivil({2000, 1, 1})) {}

    // Whether the date exists and lies in 100 to 9999: only then does it become "today".
    bool setToday(int year, int month, int day) {
        const auto today = tryDateFromCivil({year, month, day});
        if (today)
            m_clock.setToday(*today);
        return today.has_value();
    }

    // Builds the views and raises Initialize; call once, when the element can take calls.
    void start() {
        m_presenter.attach(*this);
        (void)m_presenter.initialize(); // with views: an error is reported to the page
    }

    // The element names only widgets it shows; any other name reaches nothing.
    void click(std::string_view name) {
        if (const Widget* target = find(name))
            m_presenter.click(*target);
    }
    void pick(std::string_view name, std::string_view item) {
        if (const Widget* list = find(name))
            m_presenter.pick(*list, item);
    }
    // Whether the control took the key: the browser's own handling is then to be prevented.
    bool pressKey(std::string_view focused, std::string_view key) {
        const Widget* widget = find(focused);
        const auto named = keyNamed(key);
        return widget && named && m_presenter.pressKey(*widget, *named);
    }
    // The gestation in days on a day, as view::gestationOn counts it: noEdd while no EDD is on
    // view, beforeStart for a day before the pregnancy's start or one that does not exist.
    int gestationOn(int year, int month, int day) const {
        const auto date = tryDateFromCivil({year, month, day});
        if (!date)
            return beforeStart;
        try {
            const auto gestation = view::gestationOn(m_presenter.results(), *date);
            return gestation ? gestation->totalDays : noEdd;
        } catch (const RuntimeError&) {
            return beforeStart;
        }
    }
    static constexpr int noEdd = -1;
    static constexpr int beforeStart = -2;

    // The record of the dating on view; empty while no EDD is on view.
    std::string fhirRecord(const char* subject) const {
        return view::fhirRecord(m_presenter.results(), subject);
    }

    void timerFired() { m_presenter.timerFired(); }
    void layOut() { m_presenter.layOut(); }

    void reportError(const std::string& message) override {
        ruvo_report_error(m_id, message.c_str());
    }

  private:
    const Widget* find(std::string_view name) const {
        return name.empty() ? nullptr : m_presenter.control().host.find(std::string(name));
    }

    void createView(const Widget& widget) override {
        const auto& viewed = m_presenter.viewedWidgets();
        const auto index = std::find(viewed.begin(), viewed.end(), &widget) - viewed.begin();
        const bool inFrame = widget.parent() && widget.parent()->parent();
        ruvo_create_view(m_id, static_cast<int>(index), widget.name().c_str(),
                         inFrame ? widget.parent()->name().c_str() : "",
                         roleName(view::accessibleRole(widget)),
                         widget.alignment() == TextAlignment::Center,
                         widget.border() == BorderStyle::FixedSingle);
    }
    // The element's own box is the surface: its name is empty.
    void placeView(const Widget& widget, const view::PixelRect& rect) override {
        const bool surface = widget.kind() == WidgetKind::UserControl;
        ruvo_place_view(m_id, surface ? "" : widget.name().c_str(), rect.left, rect.top, rect.width,
                        rect.height);
    }
    void showCaption(const Widget& widget, const std::string& caption) override {
        ruvo_show_caption(m_id, widget.name().c_str(), caption.c_str());
    }
    void showVisible(const Widget& widget, bool visible) override {
        ruvo_show_visible(m_id, widget.name().c_str(), visible);
    }
    void showEnabled(const Widget& widget, bool enabled) override {
        ruvo_show_enabled(m_id, widget.name().c_str(), enabled);
    }
    void showChecked(const Widget& option, bool checked) override {
        ruvo_show_checked(m_id, option.name().c_str(), checked);
    }
    void showSelection(const Widget& list, std::optional<std::size_t> index) override {
        ruvo_show_selection(m_id, list.name().c_str(), index ? static_cast<int>(*index) : -1);
    }
    void showItemAdded(const Widget& list, const std::string& item) override {
        ruvo_show_item_added(m_id, list.name().c_str(), item.c_str());
    }
    void showItemsCleared(const Widget& list) override {
        ruvo_show_items_cleared(m_id, list.name().c_str());
    }
    void showColors(const Widget& widget, const view::OwnColors& colors) override {
        ruvo_show_colors(m_id, widget.name().c_str(), cssColor(colors.back).c_str(),
                         cssColor(colors.fore).c_str());
    }
    void showTabStop(const Widget& option, bool stop) override {
        ruvo_show_tab_stop(m_id, option.name().c_str(), stop);
    }
    void showAccessible(const Widget& widget, const view::Accessible& accessible) override {
        ruvo_show_accessible(m_id, widget.name().c_str(), accessible.name.c_str(),
                             accessible.description.c_str());
    }
    // A select and an output tell assistive technology of their new text themselves.
    void noticeTextChange(const Widget&, const std::string&, const std::string&) override {}
    void announce(const std::string& text) override { ruvo_announce(m_id, text.c_str()); }

    view::FocusPlace focusPlace() const override {
        const int place = ruvo_focus_place(m_id);
        const auto& viewed = m_presenter.viewedWidgets();
        if (place == focusOutside)
            return std::nullopt;
        if (place == focusOnSurface || place < 0 ||
            static_cast<std::size_t>(place) >= viewed.size())
            return nullptr;
        return viewed[static_cast<std::size_t>(place)];
    }
    void moveFocus(const Widget* widget) override {
        ruvo_move_focus(m_id, widget ? widget->name().c_str() : "");
    }

    std::chrono::milliseconds toolkitTime() const override {
        return std::chrono::milliseconds(
            static_cast<long long>(std::floor(ruvo_toolkit_time(m_id))));
    }
    void armTimer(std::optional<std::chrono::milliseconds> wait) override {
        ruvo_arm_timer(m_id, wait ? static_cast<double>(wait->count()) : -1.0);
    }
    bool reducedMotion() const override { return ruvo_reduced_motion(m_id) != 0; }

    view::ViewScale fontScale() const override {
        const double pixels = ruvo_font_pixels(m_id);
        return {96, pixels > 0 ? pixels / designFontPixels : 1};
    }
    view::PixelSize measureText(const std::string& text) const override {
        std::array<int, 2> size{};
        ruvo_measure_text(m_id, text.c_str(), size.data());
        return {size[0], size[1]};
    }
    view::PixelSize textArea(const Widget& widget, view::PixelSize box) const override {
        std::array<int, 2> size{box.width, box.height};
        ruvo_text_area(m_id, widget.name().c_str(), size.data());
        return {size[0], size[1]};
    }
    view::SystemPalette systemPalette() const override {
        std::array<std::uint8_t, std::tuple_size_v<decltype(view::SystemPalette::colors)> * 3>
            rgb{};
        ruvo_system_palette(m_id, rgb.data(), static_cast<int>(rgb.size() / 3));
        view::SystemPalette palette;
        for (std::size_t i = 0; i < palette.colors.size(); ++i)
            palette.colors[i] = {rgb[3 * i], rgb[3 * i + 1], rgb[3 * i + 2]};
        return palette;
    }

    void resultsChanged(const view::HostResults& results, view::ResultsMoved moved) override {
        ruvo_results_changed(
            m_id, results.edd ? isoDate(*results.edd).c_str() : "",
            results.method ? std::string(view::methodKey(*results.method)).c_str() : "",
            results.gestationAtBirthDays.value_or(-1), moved.edd, moved.gestationAtBirth);
    }

    int m_id;
    FixedClock m_clock;
    view::Presenter m_presenter{m_clock, promptInterval};
};

// Runs one call from the page; nothing thrown crosses into JavaScript, where it would be an
// exception without a message: the element hears of it as a run-time error.
template <typename Call>
auto guarded(ElementView* view, Call call) -> decltype(call()) {
    try {
        return call();
    } catch (const std::exception& error) {
        if (view)
            view->reportError(error.what());
    } catch (...) {
        if (view)
            view->reportError("an unknown error in the control");
    }
    return decltype(call())();
}

} // namespace

} // namespace ruvo::web

using ruvo::web::ElementView;
using ruvo::web::guarded;

extern "C" {

// A new control for the element numbered id, or null when there is no memory for it.
EMSCRIPTEN_KEEPALIVE ElementView* moravine_create(int id) {
    try {
        return new ElementView(id);
    } catch (...) {
        return nullptr;
    }
}
EMSCRIPTEN_KEEPALIVE void moravine_delete(ElementView* view) {
    delete view;
}

// 1 when the date became the control's today, 0 when it does not exist or lies out of range.
EMSCRIPTEN_KEEPALIVE int moravine_set_today(ElementView* view, int year, int month, int day) {
    return guarded(view, [&] { return view->setToday(year, month, day) ? 1 : 0; });
}
EMSCRIPTEN_KEEPALIVE void moravine_start(ElementView* view) {
    guarded(view, [&] { view->start(); });
}
EMSCRIPTEN_KEEPALIVE void moravine_click(ElementView* view, const char* name) {
    guarded(view, [&] { view->click(name); });
}
EMSCRIPTEN_KEEPALIVE void moravine_pick(ElementView* view, const char* name, const char* item) {
    guarded(view, [&] { view->pick(name, item); });
}
// 1 when the control took the key.
EMSCRIPTEN_KEEPALIVE int moravine_press_key(ElementView* view, const char* name, const char* key) {
    return guarded(view, [&] { return view->pressKey(name, key) ? 1 : 0; });
}
// The gestation in days on a day: -1 while no EDD is on view, -2 for a day before the
// pregnancy's start or one that does not exist.
EMSCRIPTEN_KEEPALIVE int moravine_gestation_on(ElementView* view, int year, int month, int day) {
    return guarded(view, [&] { return view->gestationOn(year, month, day); });
}
// The FHIR record of the dating on view as JSON: empty while no EDD is on view, null for a
// subject that is no reference. The text stays until the next call.
EMSCRIPTEN_KEEPALIVE const char* moravine_fhir_record(ElementView* view, const char* subject) {
    static std::string text;
    try {
        text = view->fhirRecord(subject);
    } catch (const std::invalid_argument&) {
        return nullptr;
    }
    return text.c_str();
}
EMSCRIPTEN_KEEPALIVE void moravine_timer_fired(ElementView* view) {
    guarded(view, [&] { view->timerFired(); });
}
EMSCRIPTEN_KEEPALIVE void moravine_lay_out(ElementView* view) {
    guarded(view, [&] { view->layOut(); });
}

// The display form of a date, "26 October 2006"; empty for a date outside 1 January 100 to
// 31 December 9999 or one that does not exist. The text stays until the next call.
EMSCRIPTEN_KEEPALIVE const char* moravine_datenice(int year, int month, int day) {
    static std::string text;
    try {
        const auto date = ruvo::tryDateFromCivil({year, month, day});
        text = date ? ruvo::datenice(*date) : std::string();
    } catch (...) {
        text.clear();
    }
    return text.c_str();
}

} // extern "C"
