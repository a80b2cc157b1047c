#include "hosting/view/colors.h"

#include <algorithm>
#include <cmath>

namespace ruvo::view {

namespace {

constexpr std::size_t windowColor = 5;
constexpr std::size_t windowText = 8;
constexpr std::size_t highlight = 13;
constexpr std::size_t buttonFace = 15;

double luminance(Rgb color) {
    auto channel = [](std::uint8_t value) {
        const double c = value / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(color.red) + 0.7152 * channel(color.green) +
           0.0722 * channel(color.blue);
}

} // namespace

Rgb resolve(Color color, const SystemPalette& palette) {
    if (!isSystemColor(color))
        return {static_cast<std::uint8_t>(color & 0xFF),
                static_cast<std::uint8_t>(color >> 8 & 0xFF),
                static_cast<std::uint8_t>(color >> 16 & 0xFF)};
    const std::size_t index = color & 0xFF;
    return palette.colors[index < palette.colors.size() ? index : buttonFace];
}

double contrastRatio(Rgb a, Rgb b) {
    const double lighter = std::max(luminance(a), luminance(b));
    const double darker = std::min(luminance(a), luminance(b));
    return (lighter + 0.05) / (darker + 0.05);
}

TextColors readableColors(Color back, Color fore, const SystemPalette& palette) {
    TextColors colors{resolve(back, palette), resolve(fore, palette)};
    if (contrastRatio(colors.back, colors.fore) < minimumTextContrast)
        colors.back = palette.colors[windowColor];
    return colors;
}

Rgb focusRingColor(const SystemPalette& palette, Rgb widgetBack) {
    const Rgb surface = palette.colors[buttonFace];
    const auto leastContrast = [&](Rgb ring) {
        return std::min(contrastRatio(ring, surface), contrastRatio(ring, widgetBack));
    };
    for (const Rgb candidate : {palette.colors[highlight], palette.colors[windowText]}) {
        if (leastContrast(candidate) >= minimumFocusContrast)
            return candidate;
    }
    const Rgb black{0, 0, 0};
    const Rgb white{255, 255, 255};
    return leastContrast(black) >= leastContrast(white) ? black : white;
}

} // namespace ruvo::view
