#include "host/value_text.h"

#include <gtest/gtest.h>

namespace ruvo {
namespace {

TEST(ValueText, WritesColoursAsEightHexDigits) {
    EXPECT_EQ(colorText(rgb(255, 224, 192)), "0x00C0E0FF");
    EXPECT_EQ(colorText(rgb(255, 192, 192)), "0x00C0C0FF");
    EXPECT_EQ(colorText(rgb(192, 0, 0)), "0x000000C0");
    EXPECT_EQ(colorText(systemColor(9)), "0x80000009");
    EXPECT_EQ(colorText(0), "0x00000000");
    EXPECT_EQ(colorText(0xFFFFFFFF), "0xFFFFFFFF");
}

TEST(ValueText, WritesBooleansAsTheHostDoes) {
    EXPECT_EQ(boolText(true), "True");
    EXPECT_EQ(boolText(false), "False");
}

} // namespace
} // namespace ruvo
