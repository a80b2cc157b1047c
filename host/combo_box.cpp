#include "host/combo_box.h"

#include "host/runtime_error.h"
#include "host/value_text.h"
#include "host/widget_host.h"

#include <algorithm>

namespace ruvo {

const std::string& ComboBox::text() const {
    static const std::string nothingSelected;
    return m_selected ? m_items[*m_selected] : nothingSelected;
}

void ComboBox::setText(std::string_view text) {
    auto index = indexOf(text);
    if (!index) {
        throw RuntimeError(ErrorKind::InvalidWidgetUse,
                           name() + ": " + quotedText(text) + " is not an item of the list");
    }
    if (select(*index))
        host().raiseNested(*this, Event::Click, onClick);
    else
        notify(WidgetChange::Text);
}

void ComboBox::clear() {
    m_items.clear();
    m_selected.reset();
    notify(WidgetChange::ItemsCleared);
}

void ComboBox::addItem(std::string item) {
    m_items.push_back(std::move(item));
    notify(WidgetChange::ItemAdded);
}

void ComboBox::setFocus() {
    if (!canTakeInput()) {
        throw RuntimeError(ErrorKind::InvalidWidgetUse,
                           name() + " cannot take the focus while it is hidden or disabled");
    }
    host().moveFocus(*this);
}

std::optional<std::size_t> ComboBox::indexOf(std::string_view text) const {
    auto found = std::find(m_items.begin(), m_items.end(), text);
    if (found == m_items.end())
        return std::nullopt;
    return static_cast<std::size_t>(found - m_items.begin());
}

bool ComboBox::select(std::size_t index) {
    if (m_selected == index)
        return false;
    m_selected = index;
    notify(WidgetChange::Text);
    return true;
}

} // namespace ruvo
