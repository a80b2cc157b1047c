#pragma once

#include "host/widget.h"

#include <functional>

namespace ruvo {

// The control's own surface, the root of the widget tree.
class UserControl final : public Widget {
  public:
    static constexpr WidgetKind staticKind = WidgetKind::UserControl;

    // Runs once, when the host raises Initialize after building the tree.
    std::function<void()> onInitialize;

  private:
    friend class WidgetHost;
    UserControl(WidgetHost& host, std::string name, WidgetDesign design)
        : Widget(host, WidgetKind::UserControl, std::move(name), nullptr, std::move(design)) {}
};

} // namespace ruvo
