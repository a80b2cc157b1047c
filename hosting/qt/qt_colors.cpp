#include "hosting/qt/qt_colors.h"

namespace ruvo {

view::Rgb rgbOf(const QColor& color) {
    return {static_cast<std::uint8_t>(color.red()), static_cast<std::uint8_t>(color.green()),
            static_cast<std::uint8_t>(color.blue())};
}

view::SystemPalette systemPaletteOf(const QPalette& palette) {
    view::SystemPalette system;
    // Every number the palette has no role for reads as the button face.
    system.colors.fill(rgbOf(palette.color(QPalette::Button)));
    system.colors[0] = rgbOf(palette.color(QPalette::Midlight));        // scroll bar
    system.colors[5] = rgbOf(palette.color(QPalette::Base));            // window background
    system.colors[8] = rgbOf(palette.color(QPalette::Text));            // window text
    system.colors[9] = rgbOf(palette.color(QPalette::HighlightedText)); // active title-bar text
    system.colors[18] = rgbOf(palette.color(QPalette::ButtonText));     // button text
    return system;
}

QColor toQColor(view::Rgb color) {
    return QColor(color.red, color.green, color.blue);
}

QColor toQColor(Color color, const QPalette& palette) {
    return toQColor(view::resolve(color, systemPaletteOf(palette)));
}

} // namespace ruvo
