#pragma once

#include "host/widget.h"

namespace ruvo {

// A fixed picture. Nothing about it changes after creation.
class PictureBox final : public Widget {
  public:
    static constexpr WidgetKind staticKind = WidgetKind::PictureBox;

  private:
    friend class WidgetHost;
    PictureBox(WidgetHost& host, std::string name, Widget* parent, WidgetDesign design)
        : Widget(host, WidgetKind::PictureBox, std::move(name), parent, std::move(design)) {}
};

} // namespace ruvo
