#include "hosting/view/tab_order.h"

#include "hosting/view/accessibility.h"

#include <algorithm>

namespace ruvo::view {

std::vector<Widget*> tabOrder(const WidgetHost& host) {
    std::vector<Widget*> order;
    for (Widget* widget : host.widgets()) {
        const Role role = accessibleRole(*widget);
        if (role == Role::RadioButton || role == Role::ComboBox || role == Role::PushButton ||
            role == Role::ResultText)
            order.push_back(widget);
    }
    std::stable_sort(order.begin(), order.end(), [](const Widget* a, const Widget* b) {
        return a->tabIndex() < b->tabIndex();
    });
    return order;
}

} // namespace ruvo::view
