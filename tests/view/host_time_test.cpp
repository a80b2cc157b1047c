#include "control/control_fixture.h"

#include "hosting/view/host_time.h"

#include <gtest/gtest.h>

namespace ruvo::view {
namespace {

using namespace std::chrono_literals;

// A front-end's one timer, on the manual clock: the toolkit's clock reads 10 s when the control
// starts, so only differences of its time may count.
class HostTimeTest : public testing::ControlTest {
  protected:
    static constexpr std::chrono::milliseconds started = 10'000ms;

    HostTimeTest() {
        for (Timer* timer : {&s.Timer1, &s.Timer2, &s.Timer3}) {
            while (timer->enabled())
                tick(*timer);
        }
    }

    HostTime time{control.host, started};
};

TEST_F(HostTimeTest, ThePromptRunsOnTheToolkitsTimeFromThePress) {
    EXPECT_EQ(time.untilNextTick(), std::nullopt); // no prompt runs: the toolkit's timer sleeps
    // The user presses "Calculate EDD" 3.2 s after start-up; the entry brings the host's clock
    // there first, so the prompt's first interval starts at the press.
    EXPECT_FALSE(time.catchUp(started + 3200ms));
    click(s.ComCalcEDD);
    EXPECT_EQ(time.untilNextTick(), 500ms);

    EXPECT_FALSE(time.catchUp(started + 3600ms)); // woken early: nothing falls due
    EXPECT_EQ(s.OptYes.caption(), "Yes");
    EXPECT_EQ(time.untilNextTick(), 100ms);
    EXPECT_FALSE(time.catchUp(started + 3700ms));
    EXPECT_EQ(s.OptYes.caption(), "");
    EXPECT_EQ(time.untilNextTick(), 500ms);

    // Woken late, every tick that fell due runs, in order, and the prompt ends on its fourth.
    EXPECT_FALSE(time.catchUp(started + 60'000ms));
    EXPECT_EQ(control.state.Tick1, 4);
    EXPECT_EQ(s.OptYes.caption(), "Yes");
    EXPECT_FALSE(s.Timer1.enabled());
    EXPECT_EQ(time.untilNextTick(), std::nullopt);
}

// Each change of an input starts the "Calculate EDD" prompt again; a prompt already running keeps
// its rhythm, so a user picking quickly still sees the button blink every interval.
TEST_F(HostTimeTest, StartingARunningPromptKeepsItsRhythm) {
    EXPECT_FALSE(time.catchUp(started + 1000ms));
    pick(s.DDVal, "40");
    EXPECT_EQ(time.untilNextTick(), 500ms);
    EXPECT_FALSE(time.catchUp(started + 1300ms));
    pick(s.DDVal, "41");
    EXPECT_EQ(control.state.Tick3, 0);
    EXPECT_EQ(time.untilNextTick(), 200ms);
    EXPECT_FALSE(time.catchUp(started + 1500ms));
    EXPECT_EQ(control.state.Tick3, 1);
    EXPECT_FALSE(s.ComCalcEDD.visible());
    EXPECT_EQ(time.untilNextTick(), 500ms);
}

// The page was busy while "Calculate EDD" blinked: the press it delivers late acts on the button
// as the user saw it, and the tick that fell due meanwhile runs after the press.
TEST_F(HostTimeTest, AnInputHeldByABusyLoopActsOnTheSurfaceAsItWasShown) {
    pick(s.DDVal, "40");
    EXPECT_EQ(time.untilNextTick(), 500ms);
    time.holdUntil(started + 750ms);
    EXPECT_TRUE(s.ComCalcEDD.visible());
    click(s.ComCalcEDD);
    EXPECT_FALSE(s.LabEDD.caption().empty());
    EXPECT_EQ(control.state.Tick3, 0);
    EXPECT_FALSE(time.catchUp(started + 750ms));
    // The late tick reverses the button the press hid; the answer's prompt counts from the press.
    EXPECT_EQ(control.state.Tick3, 1);
    EXPECT_TRUE(s.ComCalcEDD.visible());
    EXPECT_EQ(control.state.Tick1, 0);
    EXPECT_EQ(time.untilNextTick(), 250ms);
}

// Where motion is unwelcome the prompts run to their end at once, and the toolkit's time goes on
// from there: the next prompt blinks from its own start.
TEST_F(HostTimeTest, FinishedPromptsLeaveTheSurfaceAsTheyEndAndTheClockAhead) {
    click(s.ComCalcEDD);
    EXPECT_FALSE(time.finishPrompts());
    EXPECT_EQ(control.state.Tick1, 4);
    EXPECT_EQ(s.OptYes.caption(), "Yes");
    EXPECT_EQ(time.untilNextTick(), std::nullopt);
    EXPECT_EQ(control.host.now(), 2000ms);
    pick(s.DDVal, "41");
    EXPECT_FALSE(time.catchUp(started + 400ms));
    EXPECT_EQ(control.state.Tick3, 0);
    EXPECT_EQ(time.untilNextTick(), 100ms);
}

// A host's clock moved on by others (a test, a drive session) is never wound back, and no tick
// runs inside a handler.
TEST_F(HostTimeTest, TheHostsClockNeverRunsBackNorInsideAHandler) {
    pick(s.DDVal, "40");
    EXPECT_TRUE(control.host.advanceTime(700ms).empty());
    EXPECT_EQ(control.state.Tick3, 1);
    EXPECT_FALSE(time.catchUp(started + 600ms));
    EXPECT_EQ(control.host.now(), 700ms);
    EXPECT_EQ(time.untilNextTick(), 300ms);

    std::optional<RuntimeError> inside;
    s.ComRestart.onClick = [&] { inside = time.catchUp(started + 5000ms); };
    click(s.ComRestart);
    EXPECT_FALSE(inside);
    EXPECT_EQ(control.state.Tick3, 1);
}

} // namespace
} // namespace ruvo::view
