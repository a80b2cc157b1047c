#include "dating/numbers.h"

#include "dating/c_decimal.h"
#include "host/runtime_error.h"
#include "host/value_text.h"

#include <charconv>
#include <cmath>

namespace ruvo {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

} // namespace

// Floating-point to_chars and from_chars where the standard library has them; the C library's
// conversions, to the same texts and values, where it has not (emscripten's libc++).
std::string numberText(double value) {
#if defined(__cpp_lib_to_chars)
    char buffer[32];
    auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return error == std::errc{} ? std::string(buffer, end) : std::string("?");
#else
    return shortestDecimalText(value);
#endif
}

double parseNumber(std::string_view text) {
    const std::string_view number = trimmed(text);
    // from_chars also reads "inf" and "nan"; a number starts with a digit or a point.
    std::size_t start = !number.empty() && number.front() == '-' ? 1 : 0;
    const bool looksNumeric =
        start < number.size() &&
        (isDigit(number[start]) ||
         (number[start] == '.' && start + 1 < number.size() && isDigit(number[start + 1])));
    if (looksNumeric) {
#if defined(__cpp_lib_to_chars)
        double value = 0;
        auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
        if (error == std::errc{} && end == number.data() + number.size())
            return value;
#else
        if (const auto value = decimalValue(number))
            return *value;
#endif
    }
    throw RuntimeError(ErrorKind::TypeMismatch, quotedText(text) + " is not a number");
}

double floorOf(double value) {
    return std::floor(value);
}

std::int16_t toInt16(double value) {
    double whole = std::floor(value);
    const double fraction = value - whole;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0.0))
        whole += 1.0;
    if (!(whole >= -32768.0 && whole <= 32767.0)) {
        throw RuntimeError(ErrorKind::Overflow,
                           numberText(value) + " does not fit a whole number from -32768 to 32767");
    }
    return static_cast<std::int16_t>(whole);
}

std::string integerText(int value) {
    return std::to_string(value);
}

} // namespace ruvo
