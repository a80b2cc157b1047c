#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace ruvo {

// The value of a decimal text such as "45", "-3" or "2.5" (spaces around it allowed). Fails with
// TypeMismatch for any other text: "", "abc", "4 5", "inf".
double parseNumber(std::string_view text);

// The greatest whole number not above the value: 77.76 gives 77, -2.57 gives -3.
double floorOf(double value);

// The nearest whole number, a half going to the even neighbour (2.5 gives 2, 3.5 gives 4).
// Fails with Overflow when that lies outside -32768..32767, and for NaN.
std::int16_t toInt16(double value);

// Decimal digits, a minus sign for negatives, no leading zero, space or plus sign.
std::string integerText(int value);

// The shortest decimal text that reads back as the same double: 77.76445806448493, 87, 1e+300.
std::string numberText(double value);

} // namespace ruvo
