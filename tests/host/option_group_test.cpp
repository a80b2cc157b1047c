#include "host/option_button.h"

#include "sample_surface.h"

#include <gtest/gtest.h>

namespace ruvo {
namespace {

using testing::SampleSurface;

class OptionGroupTest : public ::testing::Test, protected SampleSurface {
  protected:
    int usClicks = 0;
    int lmpClicks = 0;

    void countClicks() {
        optUs.onClick = [this] { ++usClicks; };
        optLmp.onClick = [this] { ++lmpClicks; };
    }
};

TEST_F(OptionGroupTest, SelectingFromCodeRunsTheClickBeforeTheAssignmentReturns) {
    countClicks();
    int clicksSeenByTheNextStep = -1;
    calculate.onClick = [&] {
        optUs.setValue(true);
        clicksSeenByTheNextStep = usClicks;
    };
    ASSERT_FALSE(host.click(calculate));
    EXPECT_EQ(clicksSeenByTheNextStep, 1);
}

TEST_F(OptionGroupTest, SelectingTheSelectedButtonRunsNothing) {
    countClicks();
    ASSERT_FALSE(host.click(optLmp));
    calculate.onClick = [&] { optLmp.setValue(true); };
    ASSERT_FALSE(host.click(calculate));
    EXPECT_EQ(lmpClicks, 1);
    // The same assignment on the other button changes the selection and runs its Click.
    calculate.onClick = [&] { optUs.setValue(true); };
    ASSERT_FALSE(host.click(calculate));
    EXPECT_EQ(usClicks, 1);
    ASSERT_FALSE(host.click(calculate));
    EXPECT_EQ(usClicks, 1);
}

TEST_F(OptionGroupTest, AUsersClickOnTheSelectedButtonRaisesNothing) {
    countClicks();
    ASSERT_FALSE(host.click(optLmp));
    ASSERT_FALSE(host.click(optLmp));
    EXPECT_EQ(lmpClicks, 1);
}

TEST_F(OptionGroupTest, ButtonsWithTheSameParentAreExclusive) {
    countClicks();
    ASSERT_FALSE(host.click(optLmp));
    ASSERT_FALSE(host.click(optYes));
    EXPECT_TRUE(optLmp.value());
    EXPECT_TRUE(optYes.value());

    ASSERT_FALSE(host.click(optUs));
    EXPECT_TRUE(optUs.value());
    EXPECT_FALSE(optLmp.value());
    EXPECT_TRUE(optYes.value()); // another frame, another group

    ASSERT_FALSE(host.click(optNo));
    EXPECT_FALSE(optYes.value());
    EXPECT_TRUE(optUs.value());
}

TEST_F(OptionGroupTest, DeselectingRaisesNothing) {
    countClicks();
    ASSERT_FALSE(host.click(optLmp));
    optLmp.setValue(false);
    EXPECT_FALSE(optLmp.value());
    EXPECT_FALSE(optUs.value());
    EXPECT_EQ(lmpClicks, 1);
    EXPECT_EQ(usClicks, 0);
}

TEST_F(OptionGroupTest, AButtonWithoutAHandlerIsStillSelected) {
    optYes.onClick = nullptr;
    EventTrace trace(host);
    ASSERT_FALSE(host.click(optYes));
    EXPECT_TRUE(optYes.value());
    EXPECT_EQ(trace.text(), "OptYes.Value = True\n");
}

} // namespace
} // namespace ruvo
