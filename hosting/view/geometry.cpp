#include "hosting/view/geometry.h"

#include <cmath>

namespace ruvo::view {

namespace {

constexpr double twipsPerInch = 1440;

} // namespace

ViewScale ViewScale::forFont(double dotsPerInch, double textPoints) {
    return {dotsPerInch, textPoints > 0 ? textPoints / designFontPoints : 1};
}

int toPixels(int twips, ViewScale scale) {
    return static_cast<int>(
        std::lround(twips * scale.dotsPerInch * scale.fontFactor / twipsPerInch));
}

PixelRect toPixels(const Geometry& geometry, ViewScale scale) {
    const int left = toPixels(geometry.left, scale);
    const int top = toPixels(geometry.top, scale);
    return {left, top, toPixels(geometry.left + geometry.width, scale) - left,
            toPixels(geometry.top + geometry.height, scale) - top};
}

} // namespace ruvo::view
