#pragma once

#include "host/widget.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ruvo {

// A drop-down list: the user picks one of its items and cannot type.
class ComboBox final : public Widget {
  public:
    static constexpr WidgetKind staticKind = WidgetKind::ComboBox;

    using Widget::setBackColor;
    using Widget::setEnabled;
    using Widget::setVisible;

    // The items in the order they were added.
    const std::vector<std::string>& items() const { return m_items; }
    std::optional<std::size_t> selectedIndex() const { return m_selected; }

    bool hasItem(std::string_view text) const { return indexOf(text).has_value(); }

    // The selected item's text, or "" when nothing is selected.
    const std::string& text() const;

    // Selects the first item whose text equals text. When that changes the selection, the Click
    // handler runs at once, nested, and has finished before setText returns. A text that is no
    // item fails with an InvalidWidgetUse error and leaves the selection as it was.
    void setText(std::string_view text);

    // Removes every item and the selection; raises nothing.
    void clear();
    // Appends one item at the end; the selection stays.
    void addItem(std::string item);
    // Moves the keyboard focus here. Fails when the list cannot take input.
    void setFocus();

    // Runs when the selection changes, by the user's pick or by setText.
    std::function<void()> onClick;

  private:
    friend class WidgetHost;
    ComboBox(WidgetHost& host, std::string name, Widget* parent, WidgetDesign design)
        : Widget(host, WidgetKind::ComboBox, std::move(name), parent, std::move(design)) {}

    std::optional<std::size_t> indexOf(std::string_view text) const;
    // Makes index the selection; false when it already was.
    bool select(std::size_t index);

    std::vector<std::string> m_items;
    std::optional<std::size_t> m_selected;
};

} // namespace ruvo
