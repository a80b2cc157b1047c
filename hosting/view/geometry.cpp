#include "hosting/view/geometry.h"

#include <cmath>

namespace ruvo::view {

namespace {

constexpr double twipsPerInch = 1440;
constexpr double pointsPerInch = 72;
// The surface grows in steps of a 32nd of its size until its texts fit.
constexpr int growthSteps = 32;

} // namespace

ViewScale ViewScale::forFont(double dotsPerInch, double textPoints) {
    return {dotsPerInch, textPoints > 0 ? textPoints / designFontPoints : 1};
}

ViewScale ViewScale::forFontPixels(double dotsPerInch, int pixelHeight) {
    return forFont(dotsPerInch, std::round(pixelHeight * pointsPerInch / dotsPerInch));
}

ViewScale ViewScale::fitting(const std::function<bool(ViewScale)>& fitsAt) const {
    ViewScale scale = *this;
    for (int step = 0; step < growthSteps && !fitsAt(scale); ++step)
        scale.fontFactor += fontFactor / growthSteps;
    return scale;
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
