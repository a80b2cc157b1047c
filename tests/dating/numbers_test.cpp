#include "dating/numbers.h"

#include "host/runtime_error.h"

#include <gtest/gtest.h>

#include <limits>

namespace ruvo {
namespace {

TEST(ParseNumber, ReadsDecimalTexts) {
    EXPECT_EQ(parseNumber("45"), 45.0);
    EXPECT_EQ(parseNumber("0"), 0.0);
    EXPECT_EQ(parseNumber("195"), 195.0);
    EXPECT_EQ(parseNumber("-3"), -3.0);
    EXPECT_EQ(parseNumber("2.5"), 2.5);
    EXPECT_EQ(parseNumber(".5"), 0.5);
    EXPECT_EQ(parseNumber(" 45 "), 45.0);
}

TEST(ParseNumber, RefusesOtherTextsWithATypeMismatch) {
    for (const char* text : {"", " ", "abc", "4 5", "45mm", "-", ".", "+", "inf", "nan", "-inf",
                             "0x10", "1,5", "--4"}) {
        try {
            parseNumber(text);
            ADD_FAILURE() << '"' << text << "\" was read as a number";
        } catch (const RuntimeError& error) {
            EXPECT_EQ(error.kind(), ErrorKind::TypeMismatch) << text;
        }
    }
}

TEST(FloorOf, RoundsTowardMinusInfinity) {
    EXPECT_EQ(floorOf(77.76), 77.0);
    EXPECT_EQ(floorOf(-2.57), -3.0);
    EXPECT_EQ(floorOf(95.76927741931323), 95.0);
    EXPECT_EQ(floorOf(70.0), 70.0);
}

TEST(ToInt16, RoundsHalvesToTheEvenNeighbour) {
    EXPECT_EQ(toInt16(2.5), 2);
    EXPECT_EQ(toInt16(3.5), 4);
    EXPECT_EQ(toInt16(0.5), 0);
    EXPECT_EQ(toInt16(1.5), 2);
    EXPECT_EQ(toInt16(-2.5), -2);
    EXPECT_EQ(toInt16(-3.5), -4);
    EXPECT_EQ(toInt16(-0.5), 0);
    EXPECT_EQ(toInt16(2.4999999999999996), 2);
    EXPECT_EQ(toInt16(2.5000000000000004), 3);
    EXPECT_EQ(toInt16(-2.6), -3);
    EXPECT_EQ(toInt16(203.0), 203);
}

TEST(ToInt16, OverflowsOutsideSixteenBits) {
    EXPECT_EQ(toInt16(32767.0), 32767);
    EXPECT_EQ(toInt16(-32768.0), -32768);
    EXPECT_EQ(toInt16(32767.4), 32767);
    EXPECT_EQ(toInt16(-32768.5), -32768); // the half goes to the even neighbour, which fits
    for (double value :
         {32767.5, 32768.0, -32768.6, -32769.0, 1e10, std::numeric_limits<double>::quiet_NaN(),
          std::numeric_limits<double>::infinity()}) {
        try {
            toInt16(value);
            ADD_FAILURE() << value << " was converted";
        } catch (const RuntimeError& error) {
            EXPECT_EQ(error.kind(), ErrorKind::Overflow) << value;
        }
    }
}

TEST(IntegerText, WritesPlainDecimal) {
    EXPECT_EQ(integerText(7), "7");
    EXPECT_EQ(integerText(1980), "1980");
    EXPECT_EQ(integerText(-3), "-3");
    EXPECT_EQ(integerText(0), "0");
}

} // namespace
} // namespace ruvo
