#include "dating/c_decimal.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace ruvo {
namespace {

// Doubles of every magnitude and sign, and the gestations the formulas give: the same seed on
// every run.
std::vector<double> sampleDoubles() {
    std::vector<double> values;
    std::mt19937_64 random(20061026);
    while (values.size() < 8000) {
        const std::uint64_t bits = random();
        double value = 0;
        std::memcpy(&value, &bits, sizeof value); // emscripten's libc++ has no std::bit_cast
        if (std::isfinite(value))
            values.push_back(value);
    }
    std::uniform_real_distribution<double> gestation(0, 400);
    for (int i = 0; i < 8000; ++i)
        values.push_back(gestation(random));
    return values;
}

TEST(CDecimal, WritesTheShortestTextThatReadsBack) {
    EXPECT_EQ(shortestDecimalText(77.76445806448493), "77.76445806448493");
    EXPECT_EQ(shortestDecimalText(87), "87");
    EXPECT_EQ(shortestDecimalText(1200), "1200");
    EXPECT_EQ(shortestDecimalText(1e300), "1e+300");
    EXPECT_EQ(shortestDecimalText(1e16), "1e+16");
    EXPECT_EQ(shortestDecimalText(123456789012.0), "123456789012");
    EXPECT_EQ(shortestDecimalText(1.5e-7), "1.5e-07");
    EXPECT_EQ(shortestDecimalText(0.001), "0.001");
    EXPECT_EQ(shortestDecimalText(0.1), "0.1");
    EXPECT_EQ(shortestDecimalText(-2.5), "-2.5");
    EXPECT_EQ(shortestDecimalText(0.0), "0");
    EXPECT_EQ(shortestDecimalText(-0.0), "-0");
    EXPECT_EQ(shortestDecimalText(5e-324), "5e-324");
    EXPECT_EQ(shortestDecimalText(std::numeric_limits<double>::max()), "1.7976931348623157e+308");
}

TEST(CDecimal, ReadsTheGeneralFormatAndNothingElse) {
    EXPECT_EQ(decimalValue("45"), 45.0);
    EXPECT_EQ(decimalValue("-2.5"), -2.5);
    EXPECT_EQ(decimalValue(".5"), 0.5);
    EXPECT_EQ(decimalValue("5."), 5.0);
    EXPECT_EQ(decimalValue("1e3"), 1000.0);
    EXPECT_EQ(decimalValue("1E-3"), 0.001);
    EXPECT_EQ(decimalValue("4.9e-324"), 5e-324);
    for (const char* text : {"", "-", ".", "+1", "1e", "1e+", "e5", "0x10", "inf", "nan", "1,5",
                             "4 5", " 45", "45 ", "--4", "1e400", "1e-400"})
        EXPECT_FALSE(decimalValue(text).has_value()) << '"' << text << '"';
}

#if defined(__cpp_lib_to_chars)
// Where the standard library converts by itself, the C library's way gives the very same texts
// and values.
TEST(CDecimal, AgreesWithToCharsAndFromChars) {
    for (double value : sampleDoubles()) {
        char buffer[32];
        const auto written = std::to_chars(buffer, buffer + sizeof buffer, value);
        const std::string expected(buffer, written.ptr);
        ASSERT_EQ(shortestDecimalText(value), expected);
        double read = 0;
        std::from_chars(expected.data(), expected.data() + expected.size(), read);
        ASSERT_EQ(decimalValue(expected), read) << expected;
    }
}
#endif

TEST(CDecimal, ReadsBackEveryTextItWrites) {
    for (double value : sampleDoubles())
        ASSERT_EQ(decimalValue(shortestDecimalText(value)), value) << shortestDecimalText(value);
}

} // namespace
} // namespace ruvo
