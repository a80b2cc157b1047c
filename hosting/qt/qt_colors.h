#pragma once

#include "host/color.h"
#include "hosting/view/colors.h"

#include <QColor>
#include <QPalette>

namespace ruvo {

// The desktop scheme as Qt's palette gives it: each system colour from the palette role that
// plays its part (the scroll-bar grey, the window and button colours, the title-bar text colour).
view::SystemPalette systemPaletteOf(const QPalette&);

QColor toQColor(view::Rgb);
view::Rgb rgbOf(const QColor&);

// The Qt colour of a host colour, through view::resolve.
QColor toQColor(Color, const QPalette&);

} // namespace ruvo
