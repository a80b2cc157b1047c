#include "host/option_button.h"

#include "host/widget_host.h"

namespace ruvo {

void OptionButton::setValue(bool value) {
    if (!value) {
        m_value = false;
        notify(WidgetChange::Value);
        return;
    }
    if (select())
        host().raiseNested(*this, Event::Click, onClick);
    else
        notify(WidgetChange::Value);
}

bool OptionButton::select() {
    if (m_value)
        return false;
    if (parent()) {
        for (Widget* sibling : parent()->children()) {
            if (sibling == this || sibling->kind() != WidgetKind::OptionButton)
                continue;
            auto& option = static_cast<OptionButton&>(*sibling);
            if (option.m_value) {
                option.m_value = false;
                option.notify(WidgetChange::Value);
            }
        }
    }
    m_value = true;
    notify(WidgetChange::Value);
    return true;
}

} // namespace ruvo
