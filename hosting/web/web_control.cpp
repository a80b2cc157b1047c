#include "hosting/web/web_control.h"

#include "hosting/view/firewall.h"
#include "hosting/view/tab_order.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>

namespace ruvo::web {

namespace {

std::chrono::milliseconds pageTime(double nowMs) {
    return std::chrono::milliseconds(static_cast<long long>(std::floor(nowMs)));
}

std::string cssColor(view::Rgb color) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", color.red, color.green, color.blue);
    return text;
}

} // namespace

WebControl::WebControl(Date today, const view::SystemPalette& palette, double nowMs,
                       Callbacks callbacks)
    : m_clock(today), m_control(m_clock), m_palette(palette), m_callbacks(std::move(callbacks)),
      m_hostTime(m_control.host, pageTime(nowMs)) {
    m_control.host.addObserver(*this);
    m_focusRule.onMove = [this](const Widget* widget) {
        if (m_focusInside && m_callbacks.moveFocus)
            m_callbacks.moveFocus(widget);
    };
    m_resultsWatcher.emplace(m_control, [this](const view::HostResults& results) {
        m_results = results;
        if (m_callbacks.resultsChanged)
            m_callbacks.resultsChanged(results);
    });
}

WebControl::~WebControl() {
    m_control.host.removeObserver(*this);
}

std::vector<std::string> WebControl::initialize(double nowMs) {
    return dispatch(nowMs, false, [this] { return m_control.initialize(); });
}

std::vector<std::string> WebControl::click(const std::string& name, double nowMs,
                                           bool focusInside) {
    return dispatch(nowMs, focusInside, [&] { return m_control.host.click(widget(name)); });
}

std::vector<std::string> WebControl::pick(const std::string& name, const std::string& item,
                                          double nowMs, bool focusInside) {
    return dispatch(nowMs, focusInside, [&] { return m_control.host.pick(widget(name), item); });
}

Widget* WebControl::keyTarget(const std::string& focused, view::Key key) {
    Widget* found = m_control.host.find(focused);
    return found ? view::keyTarget(*found, key) : nullptr;
}

std::vector<std::string> WebControl::tick(double nowMs, bool focusInside) {
    return dispatch(nowMs, focusInside, {});
}

std::optional<double> WebControl::untilNextTick() const {
    const auto next = m_hostTime.untilNextTick();
    return next ? std::optional<double>(static_cast<double>(next->count())) : std::nullopt;
}

void WebControl::userFocused(const std::string& name) {
    m_focusRule.userMoved(name.empty() ? nullptr : &widget(name));
}

std::vector<std::string>
WebControl::dispatch(double nowMs, bool focusInside,
                     const std::function<std::optional<RuntimeError>()>& action) {
    m_focusInside = focusInside;
    std::vector<std::string> errors;
    if (auto late = view::guarded([&] { return m_hostTime.catchUp(pageTime(nowMs)); }))
        errors.push_back(std::move(*late));
    if (action) {
        if (auto error = view::guarded(action))
            errors.push_back(std::move(*error));
    }
    m_focusInside = false;
    return errors;
}

std::vector<Widget*> WebControl::widgetsInOrder() const {
    std::vector<Widget*> shown = view::stackingOrder(m_control.host);
    std::erase_if(shown, [](const Widget* widget) {
        return widget->kind() == WidgetKind::Timer || widget->kind() == WidgetKind::UserControl;
    });
    return shown;
}

Widget& WebControl::widget(const std::string& name) const {
    Widget* found = m_control.host.find(name);
    if (!found)
        throw std::invalid_argument("the control has no widget " + name);
    return *found;
}

std::pair<std::string, std::string> WebControl::colorsOf(const Widget& widget) const {
    const bool ownBack = widget.backColor() != defaultBackColor(widget.kind());
    const bool ownFore = widget.foreColor() != defaultForeColor(widget.kind());
    const view::TextColors colors =
        view::readableColors(widget.backColor(), widget.foreColor(), m_palette);
    return {ownBack ? cssColor(colors.back) : std::string(),
            ownFore ? cssColor(colors.fore) : std::string()};
}

void WebControl::widgetChanged(const Widget& widget, WidgetChange change) {
    if (widget.kind() != WidgetKind::Timer && m_callbacks.changed)
        m_callbacks.changed(widget, change);
}

} // namespace ruvo::web
