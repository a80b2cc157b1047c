#include "dating/c_decimal.h"

#include <cerrno>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace ruvo {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The C library reads and writes the locale's decimal point.
char localePoint() {
    const char* point = std::localeconv()->decimal_point;
    return point && point[0] ? point[0] : '.';
}

double readBack(std::string text) {
    for (char& c : text) {
        if (c == '.')
            c = localePoint();
    }
    return std::strtod(text.c_str(), nullptr);
}

// The significant digits, no trailing zeros, and the exponent of the first: 1200 is "12", 3.
struct Decimal {
    std::string digits;
    int exponent = 0;
};

Decimal shortestDecimal(double magnitude) {
    char buffer[40];
    for (int precision = 0; precision <= 17; ++precision) {
        std::snprintf(buffer, sizeof buffer, "%.*e", precision, magnitude);
        Decimal decimal;
        const char* c = buffer;
        for (; *c && *c != 'e'; ++c) {
            if (isDigit(*c))
                decimal.digits += *c;
        }
        decimal.exponent = std::atoi(c + 1);
        const std::string scientific =
            decimal.digits.substr(0, 1) + "." + decimal.digits.substr(1) + c;
        if (precision == 17 || readBack(scientific) == magnitude) {
            while (decimal.digits.size() > 1 && decimal.digits.back() == '0')
                decimal.digits.pop_back();
            return decimal;
        }
    }
    return {"0", 0};
}

std::string scientificText(const Decimal& decimal) {
    std::string text = decimal.digits.substr(0, 1);
    if (decimal.digits.size() > 1)
        text += "." + decimal.digits.substr(1);
    const int exponent = std::abs(decimal.exponent);
    text += decimal.exponent < 0 ? "e-" : "e+";
    if (exponent < 10)
        text += '0';
    return text + std::to_string(exponent);
}

// A whole number past its shortest digits is written exactly, as printf's fixed form writes it:
// -460987263058661696, not -460987263058661700.
std::string fixedText(const Decimal& decimal, double magnitude) {
    const int digits = static_cast<int>(decimal.digits.size());
    if (decimal.exponent < 0)
        return "0." + std::string(static_cast<std::size_t>(-decimal.exponent - 1), '0') +
               decimal.digits;
    if (decimal.exponent + 1 > digits) {
        char buffer[320];
        std::snprintf(buffer, sizeof buffer, "%.0f", magnitude);
        return buffer;
    }
    if (decimal.exponent + 1 == digits)
        return decimal.digits;
    const auto point = static_cast<std::size_t>(decimal.exponent + 1);
    return decimal.digits.substr(0, point) + "." + decimal.digits.substr(point);
}

} // namespace

std::string shortestDecimalText(double value) {
    const std::string sign = std::signbit(value) ? "-" : "";
    if (std::isnan(value))
        return sign + "nan";
    if (std::isinf(value))
        return sign + "inf";
    if (value == 0)
        return sign + "0";
    const Decimal decimal = shortestDecimal(std::fabs(value));
    const std::string fixed = fixedText(decimal, std::fabs(value));
    const std::string scientific = scientificText(decimal);
    return sign + (scientific.size() < fixed.size() ? scientific : fixed);
}

std::optional<double> decimalValue(std::string_view text) {
    std::size_t at = 0;
    auto digitsFrom = [&] {
        const std::size_t start = at;
        while (at < text.size() && isDigit(text[at]))
            ++at;
        return at - start;
    };
    if (at < text.size() && text[at] == '-')
        ++at;
    std::size_t mantissaDigits = digitsFrom();
    if (at < text.size() && text[at] == '.') {
        ++at;
        mantissaDigits += digitsFrom();
    }
    if (mantissaDigits == 0)
        return std::nullopt;
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        ++at;
        if (at < text.size() && (text[at] == '+' || text[at] == '-'))
            ++at;
        if (digitsFrom() == 0)
            return std::nullopt;
    }
    if (at != text.size())
        return std::nullopt;
    errno = 0;
    const double value = readBack(std::string(text));
    // Past the largest double, or below the smallest: a denormal still reads.
    if (errno == ERANGE && (std::isinf(value) || value == 0))
        return std::nullopt;
    return value;
}

} // namespace ruvo
