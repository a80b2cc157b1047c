#include "host/combo_box.h"

#include "sample_surface.h"

#include <gtest/gtest.h>

namespace ruvo {
namespace {

using testing::SampleSurface;

class ComboBoxTest : public ::testing::Test, protected SampleSurface {};

TEST_F(ComboBoxTest, StartsEmptyAndKeepsItemsInTheOrderAdded) {
    EXPECT_TRUE(day.items().empty());
    EXPECT_EQ(day.text(), "");
    EXPECT_FALSE(day.selectedIndex());
    EXPECT_EQ(month.items(), (std::vector<std::string>{"January", "February", "April"}));
}

// The month's Click fills the day list before the caller's next step can use it.
TEST_F(ComboBoxTest, SettingTextToAnotherItemRunsTheClickNested) {
    std::size_t daysSeenByTheNextStep = 0;
    calculate.onClick = [&] {
        month.setText("April");
        daysSeenByTheNextStep = day.items().size();
        day.setText("30");
    };
    ASSERT_FALSE(host.click(calculate));
    EXPECT_EQ(daysSeenByTheNextStep, 30u);
    EXPECT_EQ(day.text(), "30");
    EXPECT_EQ(month.selectedIndex(), 2u);
}

TEST_F(ComboBoxTest, SettingTextToTheSelectedItemRunsNothing) {
    ASSERT_FALSE(host.pick(month, "February"));
    int clicks = 0;
    month.onClick = [&] { ++clicks; };
    calculate.onClick = [&] { month.setText("February"); };
    ASSERT_FALSE(host.click(calculate));
    ASSERT_FALSE(host.pick(month, "February"));
    EXPECT_EQ(clicks, 0);
    ASSERT_FALSE(host.pick(month, "April"));
    EXPECT_EQ(clicks, 1);
}

TEST_F(ComboBoxTest, TextThatIsNoItemFailsAndLeavesTheSelection) {
    ASSERT_FALSE(host.pick(month, "February"));
    ASSERT_EQ(day.items().size(), 28u);
    ASSERT_FALSE(host.pick(day, "14"));
    try {
        day.setText("29");
        FAIL() << "29 was selected in February";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.kind(), ErrorKind::InvalidWidgetUse);
    }
    EXPECT_EQ(day.text(), "14");
    EXPECT_THROW(day.setText(""), RuntimeError);
    EXPECT_EQ(day.text(), "14");
}

TEST_F(ComboBoxTest, ClearRemovesItemsAndSelectionWithoutAClick) {
    ASSERT_FALSE(host.pick(month, "April"));
    int clicks = 0;
    day.onClick = [&] { ++clicks; };
    day.clear();
    EXPECT_TRUE(day.items().empty());
    EXPECT_EQ(day.text(), "");
    EXPECT_EQ(clicks, 0);
    // After a clear, selecting "1" again is a change of selection.
    day.addItem("1");
    EXPECT_EQ(day.text(), "");
    day.setText("1");
    EXPECT_EQ(clicks, 1);
}

TEST_F(ComboBoxTest, DuplicateItemsSelectTheFirst) {
    day.addItem("7");
    day.addItem("7");
    day.setText("7");
    EXPECT_EQ(day.selectedIndex(), 0u);
}

TEST_F(ComboBoxTest, BackColorIsStoredAndTraced) {
    EventTrace trace(host);
    EXPECT_EQ(month.backColor(), systemColor(5)); // the window colour until set
    month.setBackColor(rgb(255, 224, 192));
    EXPECT_EQ(month.backColor(), 0x00C0E0FFu);
    month.setBackColor(systemColor(0));
    EXPECT_EQ(trace.text(), "DDLSDateM.BackColor = 0x00C0E0FF\nDDLSDateM.BackColor = 0x80000000\n");
}

} // namespace
} // namespace ruvo
