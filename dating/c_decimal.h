#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace ruvo {

// Decimal text and doubles through the C library, for a standard library without floating-point
// std::to_chars and std::from_chars (emscripten's libc++). Each gives what those give, whatever
// the C locale's decimal point.

// The shortest decimal text that reads back as the same double, fixed or scientific, whichever is
// shorter (fixed on a tie), a whole number in fixed form exactly: "77.76445806448493", "1200",
// "1e+300", "1.5e-07", "-460987263058661696".
std::string shortestDecimalText(double value);

// The value of a whole text in the general format, an optional minus sign, digits with an
// optional point, an optional exponent: "45", "-2.5", ".5", "1e3". Nothing for any other text, and
// for a value out of a double's range.
std::optional<double> decimalValue(std::string_view text);

} // namespace ruvo
