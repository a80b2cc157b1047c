#pragma once

#include "host/widget.h"

namespace ruvo {

// Static text. An empty caption leaves the label blank.
class Label final : public Widget {
  public:
    static constexpr WidgetKind staticKind = WidgetKind::Label;

    using Widget::setCaption;
    using Widget::setEnabled;
    using Widget::setVisible;

  private:
    friend class WidgetHost;
    Label(WidgetHost& host, std::string name, Widget* parent, WidgetDesign design)
        : Widget(host, WidgetKind::Label, std::move(name), parent, std::move(design)) {}
};

} // namespace ruvo
