#include "hosting/view/tab_order.h"

#include "host/option_button.h"
#include "hosting/view/accessibility.h"

#include <algorithm>

namespace ruvo::view {

namespace {

// The button at which Tab enters an option group: its selected button, or while none is, the
// first that can take input.
const Widget* groupStop(const Widget& frame) {
    const Widget* first = nullptr;
    for (const Widget* member : frame.children()) {
        if (member->kind() != WidgetKind::OptionButton)
            continue;
        if (static_cast<const OptionButton*>(member)->value())
            return member;
        if (!first && member->canTakeInput())
            first = member;
    }
    return first;
}

void byTabIndex(std::vector<Widget*>& widgets) {
    std::stable_sort(widgets.begin(), widgets.end(), [](const Widget* a, const Widget* b) {
        return a->tabIndex() < b->tabIndex();
    });
}

} // namespace

std::vector<Widget*> stackingOrder(const WidgetHost& host) {
    std::vector<Widget*> order(host.widgets().begin() + 1, host.widgets().end());
    byTabIndex(order);
    return order;
}

std::vector<Widget*> tabOrder(const WidgetHost& host) {
    std::vector<Widget*> order;
    for (Widget* widget : host.widgets()) {
        const Role role = accessibleRole(*widget);
        if (role == Role::RadioButton || role == Role::ComboBox || role == Role::PushButton ||
            role == Role::ResultText)
            order.push_back(widget);
    }
    byTabIndex(order);
    return order;
}

std::vector<Widget*> tabOrderByGroup(const WidgetHost& host) {
    std::vector<Widget*> stops;
    for (Widget* widget : tabOrder(host)) {
        if (widget->kind() != WidgetKind::OptionButton || groupStop(*widget->parent()) == widget)
            stops.push_back(widget);
    }
    return stops;
}

} // namespace ruvo::view
