#pragma once

#include "host/color.h"

#include <array>
#include <cstdint>

namespace ruvo::view {

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// The desktop scheme's colours as a front-end reads them from its toolkit, by system colour
// number (0 the scroll bar, 5 the window, 8 the window text, 9 the active title-bar text, 15 the
// button face, 18 the button text, ...).
struct SystemPalette {
    std::array<Rgb, 31> colors{};
    friend bool operator==(const SystemPalette&, const SystemPalette&) = default;
};

// A host colour as the palette shows it: a plain colour as it is, a system colour from the
// palette (an unknown number as the button face).
Rgb resolve(Color, const SystemPalette&);

// The WCAG contrast ratio, 1 (none) to 21 (black on white).
double contrastRatio(Rgb, Rgb);

// The least contrast text needs: WCAG's 4.5:1 for ordinary text.
inline constexpr double minimumTextContrast = 4.5;

// The least contrast a focus indicator needs against what surrounds it: WCAG's 3:1.
inline constexpr double minimumFocusContrast = 3;

struct TextColors {
    Rgb back;
    Rgb fore;
    friend bool operator==(const TextColors&, const TextColors&) = default;
};

// The colours a widget's text is drawn in. Text whose contrast with its background is below the
// minimum gets the window colour behind it instead, so a scheme whose title-bar text colour is
// dark never leaves the results unreadable.
TextColors readableColors(Color back, Color fore, const SystemPalette&);

// The colour of the ring that marks the focused widget, 2 pixels wide, drawn between the widget's
// background and the surface's: the scheme's highlight colour where it stands out from both by
// the minimum, else its window text colour, else black or white, whichever stands out more.
Rgb focusRingColor(const SystemPalette&, Rgb widgetBack);

} // namespace ruvo::view
