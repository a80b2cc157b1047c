#include "host/timer.h"

#include "sample_surface.h"

#include <gtest/gtest.h>

#include <chrono>

namespace ruvo {
namespace {

using namespace std::chrono_literals;
using testing::SampleSurface;

class TimerTest : public ::testing::Test, protected SampleSurface {
  protected:
    std::vector<long> tickTimes;

    TimerTest() {
        timer.onTimer = [this] { tickTimes.push_back(static_cast<long>(host.now().count())); };
    }
};

TEST_F(TimerTest, TicksOnlyWhileEnabled) {
    EXPECT_TRUE(timer.enabled()); // timers start enabled
    EXPECT_FALSE(host.tick(timer));
    timer.setEnabled(false);
    auto error = host.tick(timer);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->kind(), ErrorKind::InvalidWidgetUse);
    EXPECT_EQ(tickTimes.size(), 1u);
}

TEST_F(TimerTest, DeliversTicksEveryIntervalAsTimePasses) {
    timer.setInterval(100ms);
    EXPECT_TRUE(host.advanceTime(350ms).empty());
    EXPECT_EQ(tickTimes, (std::vector<long>{100, 200, 300}));
    EXPECT_EQ(host.now(), 350ms);
    EXPECT_TRUE(host.advanceTime(50ms).empty());
    EXPECT_EQ(tickTimes.size(), 4u);
}

TEST_F(TimerTest, ATickThatDisablesItsTimerIsTheLast) {
    timer.setInterval(100ms);
    int count = 0;
    timer.onTimer = [&] {
        if (++count == 4)
            timer.setEnabled(false);
    };
    EXPECT_TRUE(host.advanceTime(1000ms).empty());
    EXPECT_EQ(count, 4);
}

TEST_F(TimerTest, EnablingAStoppedTimerStartsAFreshInterval) {
    timer.setInterval(100ms);
    timer.setEnabled(false);
    EXPECT_TRUE(host.advanceTime(250ms).empty());
    timer.setEnabled(true);
    EXPECT_TRUE(host.advanceTime(150ms).empty());
    EXPECT_EQ(tickTimes, (std::vector<long>{350}));
    // Enabling it again while it runs keeps its rhythm.
    timer.setEnabled(true);
    EXPECT_TRUE(host.advanceTime(100ms).empty());
    EXPECT_EQ(tickTimes, (std::vector<long>{350, 450}));
}

TEST_F(TimerTest, TimersFallingDueTogetherTickInCreationOrder) {
    Timer& later = host.add<Timer>("Timer4", host.control());
    std::vector<std::string> order;
    timer.onTimer = [&] { order.push_back("Timer3"); };
    later.onTimer = [&] { order.push_back("Timer4"); };
    later.setInterval(50ms);
    timer.setInterval(100ms);
    EXPECT_TRUE(host.advanceTime(100ms).empty());
    EXPECT_EQ(order, (std::vector<std::string>{"Timer4", "Timer3", "Timer4"}));
}

TEST_F(TimerTest, ATickIsADispatchOfItsOwn) {
    timer.setInterval(100ms);
    timer.onTimer = [&] { month.setText("March"); };
    auto errors = host.advanceTime(200ms);
    ASSERT_EQ(errors.size(), 2u);
    EXPECT_EQ(errors[0].kind(), ErrorKind::InvalidWidgetUse);
    calculate.onClick = [&] { (void)host.advanceTime(100ms); };
    EXPECT_FALSE(host.click(calculate));
    EXPECT_EQ(host.now(), 200ms); // no time passed inside the handler
}

// A busy loop holds the ticks back: the input it delivers comes first, then the late ticks in
// their order, each at the time it finally runs; a timer the input starts counts from the input.
TEST_F(TimerTest, TicksHeldBackByABusyLoopRunAfterTheInputThatCameWithThem) {
    Timer& later = host.add<Timer>("Timer4", host.control());
    std::vector<std::string> order;
    timer.onTimer = [&] { order.push_back("Timer3 at " + std::to_string(host.now().count())); };
    later.onTimer = [&] { order.push_back("Timer4 at " + std::to_string(host.now().count())); };
    calculate.onClick = [&] {
        order.push_back("click at " + std::to_string(host.now().count()));
        later.setEnabled(true);
    };
    timer.setInterval(100ms);
    later.setInterval(100ms);
    later.setEnabled(false);
    host.passBusyTime(250ms);
    EXPECT_TRUE(order.empty());
    EXPECT_FALSE(host.click(calculate));
    EXPECT_TRUE(host.advanceTime(0ms).empty());
    EXPECT_TRUE(host.advanceTime(100ms).empty());
    EXPECT_EQ(order, (std::vector<std::string>{"click at 250", "Timer3 at 250", "Timer3 at 250",
                                               "Timer3 at 300", "Timer4 at 350"}));
}

TEST_F(TimerTest, AZeroIntervalNeverTicksByItself) {
    EXPECT_TRUE(host.advanceTime(10000ms).empty());
    EXPECT_TRUE(tickTimes.empty());
}

} // namespace
} // namespace ruvo
