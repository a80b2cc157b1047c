#pragma once

#include "host/widget.h"

#include <functional>

namespace ruvo {

// A radio button. The option buttons with the same parent form one exclusive group: at most one
// of them is selected.
class OptionButton final : public Widget {
  public:
    static constexpr WidgetKind staticKind = WidgetKind::OptionButton;

    using Widget::setCaption;
    using Widget::setEnabled;

    // True when this is the selected button of its group.
    bool value() const { return m_value; }

    // True selects this button and deselects the others of its group. When the button was not
    // selected, its Click handler runs at once, nested, and has finished before setValue
    // returns; when it was, nothing else happens. False deselects the button and raises nothing.
    void setValue(bool value);

    // Runs when the button becomes the selected one, by the user's click or by setValue(true).
    std::function<void()> onClick;

  private:
    friend class WidgetHost;
    OptionButton(WidgetHost& host, std::string name, Widget* parent, WidgetDesign design)
        : Widget(host, WidgetKind::OptionButton, std::move(name), parent, std::move(design)) {}

    // Makes this the selected button of its group; false when it already was.
    bool select();

    bool m_value = false;
};

} // namespace ruvo
