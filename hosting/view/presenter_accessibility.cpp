// What assistive technology hears of the surface, and where Tab stops.
#include "hosting/view/presenter.h"

#include "host/combo_box.h"
#include "hosting/view/accessibility.h"
#include "hosting/view/tab_order.h"

#include <algorithm>
#include <functional>
#include <string>

namespace ruvo::view {

namespace {

// Whether the widget and every frame around it are on view, enabled or not.
bool onView(const Widget& widget) {
    for (const Widget* shown = &widget; shown; shown = shown->parent()) {
        if (!shown->visible())
            return false;
    }
    return true;
}

// The text a list or a result shows, which assistive technology hears when it changes.
std::optional<std::string> textShown(const Widget& widget) {
    switch (accessibleRole(widget)) {
    case Role::ComboBox:
        return static_cast<const ComboBox&>(widget).text();
    case Role::ResultText:
        return widget.caption();
    default:
        return std::nullopt;
    }
}

} // namespace

// A text on view is news once, when the run that changed it has finished. An input the user did
// not touch that the run changed (the day list a month pick resets) is said aloud with its name,
// since its change is nowhere near the focus.
void Presenter::updateAccessibility() {
    for (const Widget* widget : viewedWidgets()) {
        const Accessible accessible = accessibleOf(*widget);
        const std::size_t said =
            std::hash<std::string>{}(accessible.name + '\n' + accessible.description + '\n' +
                                     std::to_string(static_cast<int>(accessible.role)));
        const auto shown = m_accessibleShown.find(widget);
        if (shown == m_accessibleShown.end() || shown->second != said) {
            m_accessibleShown[widget] = said;
            m_sink->showAccessible(*widget, accessible);
        }
        const std::optional<std::string> text = textShown(*widget);
        if (!text)
            continue;
        const auto [heard, first] = m_textsHeard.try_emplace(widget, *text);
        if (first || heard->second == *text)
            continue;
        if (onView(*widget)) {
            m_sink->noticeTextChange(*widget, heard->second, *text);
            if (m_announcing && accessible.role == Role::ComboBox && widget != m_target)
                m_sink->announce(accessible.name + ", " + *text);
        }
        heard->second = *text;
    }
}

void Presenter::updateTabStops() {
    const std::vector<Widget*> stops = tabOrderByGroup(m_control.host);
    for (const Widget* widget : viewedWidgets()) {
        if (widget->kind() != WidgetKind::OptionButton)
            continue;
        const bool stop = std::find(stops.begin(), stops.end(), widget) != stops.end();
        const auto [shown, first] = m_tabStops.try_emplace(widget, stop);
        if (first || shown->second != stop) {
            shown->second = stop;
            m_sink->showTabStop(*widget, stop);
        }
    }
}

} // namespace ruvo::view
