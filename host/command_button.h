#pragma once

#include "host/widget.h"

#include <functional>

namespace ruvo {

// A push button. An empty caption shows an empty face.
class CommandButton final : public Widget {
  public:
    static constexpr WidgetKind staticKind = WidgetKind::CommandButton;

    using Widget::setCaption;
    using Widget::setVisible;

    // Runs when the user presses the button.
    std::function<void()> onClick;

  private:
    friend class WidgetHost;
    CommandButton(WidgetHost& host, std::string name, Widget* parent, WidgetDesign design)
        : Widget(host, WidgetKind::CommandButton, std::move(name), parent, std::move(design)) {}
};

} // namespace ruvo
