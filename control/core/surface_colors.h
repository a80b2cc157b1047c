#pragma once

#include "host/color.h"

namespace ruvo {

// A scan input list while it is enabled, light peach; also the scan lists' design-time colour.
inline constexpr Color ActiveBackColor = rgb(255, 224, 192);
// A scan input list while it is disabled: the scroll-bar colour of the desktop scheme, light grey.
inline constexpr Color InactiveBackColor = systemColor(0);

// The date lists, light pink.
inline constexpr Color dateListBackColor = rgb(255, 192, 192);
// The EDD and gestation results: dark red on the title-bar text colour (white in the standard
// scheme).
inline constexpr Color resultBackColor = systemColor(9);
inline constexpr Color resultForeColor = rgb(192, 0, 0);

} // namespace ruvo
