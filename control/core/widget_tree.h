#pragma once

#include "host/widget.h"

#include <chrono>
#include <span>
#include <string_view>

namespace ruvo {

// One widget of the control's surface as it is laid out at design time.
struct WidgetRow {
    std::string_view name;
    WidgetKind kind;
    std::string_view parent; // "Moravine" for the control's own surface
    WidgetDesign design;
};

// The 45 widgets of the surface in creation order, a child after its parent. Positions and sizes
// are in twips from the parent's top-left corner; timers have none.
std::span<const WidgetRow> moravineWidgetTree();

// What names a list for a screen reader: the frame it sits in (or beside) and its label, as in
// "Date of LMP, Month".
struct ListCaption {
    std::string_view list;
    std::string_view frame;
    std::string_view label;
};
std::span<const ListCaption> listCaptions();

// The control's own surface: 8715 x 5415 twips (581 x 361 pixels).
inline constexpr Geometry moravineGeometry{0, 0, 8715, 5415};

// How long each form of a blinking prompt stays on view.
inline constexpr std::chrono::milliseconds promptInterval{500};

} // namespace ruvo
