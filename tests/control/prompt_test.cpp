#include "control_fixture.h"

#include "control/core/widget_tree.h"

#include <gtest/gtest.h>

namespace ruvo {
namespace {

using testing::ControlTest;

class PromptTest : public ControlTest {
  protected:
    // Lets every prompt of start-up run out.
    PromptTest() { finishPrompts(); }

    void finishPrompts() {
        for (Timer* timer : {&s.Timer1, &s.Timer2, &s.Timer3}) {
            while (timer->enabled())
                tick(*timer);
        }
    }

    // "S" when the question and "Yes" are shown, "b" when blank; one letter a tick.
    std::string questionForms(int ticks) {
        std::string forms;
        for (int i = 0; i < ticks; ++i) {
            tick(s.Timer1);
            EXPECT_EQ(s.OptYes.caption().empty(), s.LabQDOB.caption().empty());
            forms += s.OptYes.caption().empty() ? 'b' : 'S';
        }
        return forms;
    }
};

TEST_F(PromptTest, StartUpLeavesEveryTargetShown) {
    EXPECT_EQ(s.OptYes.caption(), "Yes");
    EXPECT_EQ(s.LabQDOB.caption(), "Calculate length of gestation at birth?");
    EXPECT_EQ(s.ComCalcGest.caption(), "Calculate gestation");
    EXPECT_TRUE(s.ComCalcEDD.visible());
}

TEST_F(PromptTest, AQuestionPromptBlinksFourTimesAndStops) {
    click(s.ComCalcEDD);
    EXPECT_EQ(control.state.Tick1, 0);
    EXPECT_EQ(questionForms(4), "bSbS");
    EXPECT_FALSE(s.Timer1.enabled());
    EXPECT_EQ(control.state.Tick1, 4);
    EXPECT_TRUE(control.host.tick(s.Timer1)); // no tick after the fourth
}

TEST_F(PromptTest, ARestartDuringAPromptCountsFourMoreTicks) {
    click(s.ComCalcEDD);
    EXPECT_EQ(questionForms(2), "bS");
    pick(s.DDVal, "40"); // back to Ready: the button is shown again
    click(s.ComCalcEDD);
    EXPECT_EQ(control.state.Tick1, 0);
    EXPECT_EQ(questionForms(4), "bSbS");
    EXPECT_FALSE(s.Timer1.enabled());
}

// Pressed again while the question is blank, the prompt still comes to rest with it shown.
TEST_F(PromptTest, AQuestionPromptRestartedWhileBlankEndsShown) {
    click(s.ComCalcEDD);
    EXPECT_EQ(questionForms(1), "b");
    pick(s.DDVal, "40");
    click(s.ComCalcEDD);
    EXPECT_EQ(questionForms(4), "SbSS");
    EXPECT_EQ(s.OptYes.caption(), "Yes");
    EXPECT_EQ(s.LabQDOB.caption(), "Calculate length of gestation at birth?");
}

TEST_F(PromptTest, TheQuestionBlinksUnseenWhileItsFrameIsHidden) {
    click(s.ComCalcEDD);
    pick(s.DDVal, "40"); // hides FrameQDOB, leaves Timer1 running
    EXPECT_FALSE(s.FrameQDOB.visible());
    EXPECT_EQ(questionForms(4), "bSbS");
}

TEST_F(PromptTest, ADateOfBirthPickRestartsTheGestationPromptAndItEndsShown) {
    click(s.ComCalcEDD);
    click(s.OptYes);
    finishPrompts();
    pick(s.DDDOBDateD, "5");
    EXPECT_EQ(control.state.Tick2, 0);
    tick(s.Timer2);
    EXPECT_EQ(s.ComCalcGest.caption(), "");
    pick(s.DDDOBDateD, "6"); // while the caption is blank
    EXPECT_EQ(control.state.Tick2, 0);
    std::string forms;
    for (int i = 0; i < 4; ++i) {
        tick(s.Timer2);
        forms += s.ComCalcGest.caption().empty() ? 'b' : 'S';
    }
    EXPECT_EQ(forms, "SbSS");
    EXPECT_FALSE(s.Timer2.enabled());
}

TEST_F(PromptTest, TheCalculateEddPromptReversesTheButtonOnEveryTick) {
    pick(s.DDVal, "40");
    std::string forms;
    for (int i = 0; i < 4; ++i) {
        tick(s.Timer3);
        forms += s.ComCalcEDD.visible() ? 'S' : 'b';
    }
    EXPECT_EQ(forms, "bSbS");
    EXPECT_FALSE(s.Timer3.enabled());
}

// "Calculate EDD" hides its button; the running prompt's ticks keep switching it, so it shows
// again and, unless pressed again, is hidden after the fourth tick.
TEST_F(PromptTest, PressingCalculateEddDuringItsPromptLeavesTheTicksSwitchingIt) {
    pick(s.DDVal, "40");
    tick(s.Timer3); // hidden
    tick(s.Timer3); // shown
    click(s.ComCalcEDD);
    EXPECT_FALSE(s.ComCalcEDD.visible());
    tick(s.Timer3);
    EXPECT_TRUE(s.ComCalcEDD.visible());
    tick(s.Timer3);
    EXPECT_FALSE(s.ComCalcEDD.visible());
    EXPECT_FALSE(s.Timer3.enabled());
}

TEST_F(PromptTest, EveryPickRestartsTheCalculateEddPromptFromZero) {
    pick(s.DDVal, "40");
    tick(s.Timer3);
    tick(s.Timer3);
    tick(s.Timer3);
    pick(s.DDLSDateY, "2006"); // shows the button and counts from 0 again
    EXPECT_EQ(control.state.Tick3, 0);
    EXPECT_TRUE(s.ComCalcEDD.visible());
    for (int i = 0; i < 3; ++i)
        tick(s.Timer3);
    EXPECT_TRUE(s.Timer3.enabled());
    tick(s.Timer3);
    EXPECT_FALSE(s.Timer3.enabled());
}

TEST_F(PromptTest, OptionsAndRestartLeaveRunningPromptsRunning) {
    click(s.ComCalcEDD);
    tick(s.Timer1);
    click(s.ComRestart);
    click(s.OptLMP);
    EXPECT_TRUE(s.Timer1.enabled());
    EXPECT_EQ(control.state.Tick1, 1);
}

TEST_F(PromptTest, TimeDeliversTheTicksAtTheInterval) {
    click(s.ComCalcEDD);
    EXPECT_TRUE(control.host.advanceTime(promptInterval).empty());
    EXPECT_EQ(s.OptYes.caption(), "");
    EXPECT_TRUE(control.host.advanceTime(3 * promptInterval).empty());
    EXPECT_EQ(s.OptYes.caption(), "Yes");
    EXPECT_FALSE(s.Timer1.enabled());
}

} // namespace
} // namespace ruvo
