#include "hosting/view/tab_order.h"

#include "host/option_button.h"
#include "hosting/view/accessibility.h"

#include <algorithm>

namespace ruvo::view {

namespace {

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
        if (widget->kind() != WidgetKind::OptionButton) {
            stops.push_back(widget);
            continue;
        }
        const auto& group = widget->parent()->children();
        const auto isOption = [](const Widget* member) {
            return member->kind() == WidgetKind::OptionButton;
        };
        const bool anySelected = std::any_of(group.begin(), group.end(), [&](const Widget* member) {
            return isOption(member) && static_cast<const OptionButton*>(member)->value();
        });
        const auto stop = std::find_if(group.begin(), group.end(), [&](const Widget* member) {
            return isOption(member) &&
                   (anySelected ? static_cast<const OptionButton*>(member)->value()
                                : member->canTakeInput());
        });
        if (stop != group.end() && *stop == widget)
            stops.push_back(widget);
    }
    return stops;
}

} // namespace ruvo::view
