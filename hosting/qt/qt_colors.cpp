#include "hosting/qt/qt_colors.h"

namespace ruvo {

QColor toQColor(Color color, const QPalette& palette) {
    if (!isSystemColor(color))
        return QColor(static_cast<int>(color & 0xFF), static_cast<int>(color >> 8 & 0xFF),
                      static_cast<int>(color >> 16 & 0xFF));
    switch (color & 0xFF) {
    case 0: // scroll bar
        return palette.color(QPalette::Midlight);
    case 5: // window background
        return palette.color(QPalette::Base);
    case 8: // window text
        return palette.color(QPalette::Text);
    case 9: // active title-bar text
        return palette.color(QPalette::HighlightedText);
    case 18: // button text
        return palette.color(QPalette::ButtonText);
    case 15: // button face
    default:
        return palette.color(QPalette::Button);
    }
}

} // namespace ruvo
