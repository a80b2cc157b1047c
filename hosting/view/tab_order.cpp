#include "hosting/view/tab_order.h"

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

} // namespace ruvo::view
