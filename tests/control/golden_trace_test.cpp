#include "control_fixture.h"

#include "host/event_trace.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace ruvo {
namespace {

using testing::ControlTest;

// Compares a trace with tests/control/golden/<name>.trace. With RUVO_UPDATE_GOLDEN=1 in the
// environment it writes the file instead, to be read line by line before it is committed.
void expectGolden(const std::string& name, const std::string& trace) {
    const std::string path = std::string(RUVO_GOLDEN_DIR) + "/" + name + ".trace";
    if (std::getenv("RUVO_UPDATE_GOLDEN")) {
        std::ofstream(path) << trace;
        return;
    }
    std::ifstream file(path);
    ASSERT_TRUE(file) << "no golden trace " << path;
    std::stringstream golden;
    golden << file.rdbuf();
    EXPECT_EQ(trace, golden.str()) << "the trace differs from " << path;
}

TEST(GoldenTrace, StartUp) {
    FixedClock clock(parseDate("7 December 2006"));
    Moravine control(clock);
    EventTrace trace(control.host);
    ASSERT_FALSE(control.initialize());
    expectGolden("startup", trace.text());
}

class GoldenTraceTest : public ControlTest {};

// The handler's first step selects OptUS, whose Click runs the same handler once more, nested,
// before the outer run goes on.
TEST_F(GoldenTraceTest, RestartFromLmpBasedMode) {
    click(s.OptLMP);
    pick(s.DDLSDateM, "March");
    EventTrace trace(control.host);
    click(s.ComRestart);
    expectGolden("restart_from_lmp", trace.text());
}

// Refilling DDVal selects its preset, which runs DDVal's Click inside the option's Click.
TEST_F(GoldenTraceTest, MeasurementChoice) {
    EventTrace trace(control.host);
    click(s.OptCRL);
    expectGolden("measurement_choice", trace.text());
}

// The month's Click rebuilds the day list, whose selection of day 1 runs the day's Click inside.
TEST_F(GoldenTraceTest, MonthPick) {
    EventTrace trace(control.host);
    pick(s.DDLSDateM, "April");
    expectGolden("month_pick", trace.text());
}

} // namespace
} // namespace ruvo
