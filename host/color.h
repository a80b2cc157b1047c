#pragma once

#include <cstdint>

namespace ruvo {

// A colour as hosts store it: 0x00BBGGRR for a plain colour (red in the low byte), or, with the
// top bit set, the number of a system colour of the desktop scheme in the low byte.
using Color = std::uint32_t;

constexpr Color rgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return Color{red} | Color{green} << 8 | Color{blue} << 16;
}

constexpr Color systemColor(std::uint8_t index) {
    return 0x80000000u | index;
}

constexpr bool isSystemColor(Color color) {
    return (color & 0x80000000u) != 0;
}

} // namespace ruvo
