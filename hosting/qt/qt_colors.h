#pragma once

#include "host/color.h"

#include <QColor>
#include <QPalette>

namespace ruvo {

// The Qt colour of a host colour: a plain 0x00BBGGRR value as it is, a system colour from the
// palette role that plays its part (the scroll-bar grey, the window and button colours, the
// title-bar text colour).
QColor toQColor(Color, const QPalette&);

} // namespace ruvo
