#pragma once

#include "host/widget.h"

#include <functional>

namespace ruvo::view {

// How a front-end draws the surface: its device's dots per inch, and its text height against the
// design's (a host font 16 points high draws the whole surface twice as large as the design's
// 8 points). Every front-end converts twips through this one rule.
struct ViewScale {
    double dotsPerInch = 96;
    double fontFactor = 1;

    // The scale at which a font of textPoints points replaces the design font.
    static ViewScale forFont(double dotsPerInch, double textPoints);
    // The same for a font given by its character height in pixels, as Windows gives fonts; it
    // counts to the nearest point, so the 11 pixels of an 8-point font at 96 dots per inch are the
    // design's 8 points.
    static ViewScale forFontPixels(double dotsPerInch, int pixelHeight);

    // The smallest scale from this one up at which every text fits, as fitsAt tells; a host font
    // wider than the design's grows the surface instead of clipping its captions. The growth
    // stops at twice the font's own scale.
    ViewScale fitting(const std::function<bool(ViewScale)>& fitsAt) const;
};

// The design font: 8 points, 11 pixels high at 96 dots per inch.
inline constexpr double designFontPoints = 8;

// A length in twips as device pixels, rounded to the nearest.
int toPixels(int twips, ViewScale);

// A widget's place in device pixels. Its edges are rounded, not its size, so neighbours that
// touch in twips touch on the screen too.
struct PixelRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};
PixelRect toPixels(const Geometry&, ViewScale);

} // namespace ruvo::view
