#pragma once

#include "host/widget.h"

namespace ruvo {

// A captioned group box; the caption sits in its top border line. Hiding or disabling it blocks
// its children without changing their own values. Option buttons inside one frame form a group.
class Frame final : public Widget {
  public:
    static constexpr WidgetKind staticKind = WidgetKind::Frame;

    using Widget::setCaption;
    using Widget::setEnabled;
    using Widget::setVisible;

  private:
    friend class WidgetHost;
    Frame(WidgetHost& host, std::string name, Widget* parent, WidgetDesign design)
        : Widget(host, WidgetKind::Frame, std::move(name), parent, std::move(design)) {}
};

} // namespace ruvo
