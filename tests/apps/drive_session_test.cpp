#include "apps/drive/drive_session.h"

#include "dating/clock.h"
#include "dating/date_text.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace ruvo {
namespace {

// The host's own entry points, counted, so a test can tell that a line did nothing at all.
class CountingActions final : public DriveActions {
  public:
    explicit CountingActions(WidgetHost& host) : m_host(host) {}
    std::optional<RuntimeError> click(Widget& widget) override {
        ++count;
        return m_host.click(widget);
    }
    std::optional<RuntimeError> pick(Widget& list, std::string_view item) override {
        ++count;
        return m_host.pick(list, item);
    }
    std::optional<RuntimeError> tick(Widget& timer) override {
        ++count;
        return m_host.tick(timer);
    }
    int count = 0;

  private:
    WidgetHost& m_host;
};

class DriveSessionTest : public ::testing::Test {
  public:
    DriveSessionTest() { EXPECT_FALSE(control.initialize()); }

    // What one line prints.
    std::string run(std::string_view line) {
        out.str("");
        session.execute(line);
        return out.str();
    }

    FixedClock clock{parseDate("7 December 2006")};
    Moravine control{clock};
    CountingActions actions{control.host};
    std::ostringstream out;
    DriveSession session{control, actions, out};
};

// A malformed line prints exactly one error and does nothing: no action, no trace, no state.
TEST_F(DriveSessionTest, TrailingTextRefusesTheWholeCommand) {
    for (const char* line : {"get OptUS.Value junk", "click OptLMP junk", "tick Timer1 junk",
                             "trace on junk", "click OptHC junk", "field Tick1 junk"}) {
        EXPECT_EQ(run(line), "error: unexpected \"junk\" after the command\n") << line;
    }
    EXPECT_EQ(actions.count, 0);
    EXPECT_TRUE(control.surface.OptUS.value());
    EXPECT_EQ(control.state.Tick1, 0);
    EXPECT_EQ(run("click OptCRL"), "") << "trace on junk switched the trace on";
}

TEST_F(DriveSessionTest, MissingWordsAreRefusedBeforeAnythingHappens) {
    EXPECT_EQ(run("click"), "error: click takes a widget name\n");
    EXPECT_EQ(run("pick DDVal"), "error: pick takes a list name and an item\n");
    EXPECT_EQ(run("tick"), "error: tick takes a timer name\n");
    EXPECT_EQ(run("get"), "error: get takes NAME.PROPERTY\n");
    EXPECT_EQ(run("call datenice"), "error: call takes datenice DATE\n");
    EXPECT_EQ(run("get OptUS.Colour"), "error: OptUS has no property \"Colour\"\n");
    EXPECT_EQ(actions.count, 0);
}

TEST_F(DriveSessionTest, QuotedInputShowsItsControlCharactersEscaped) {
    using namespace std::string_literals;
    EXPECT_EQ(run("click OptLMP\0"s), "error: no widget named \"OptLMP\\0\"\n");
    EXPECT_EQ(run("pick DDVal 4\x1b"
                  "5"),
              "error: DDVal holds no item \"4\\x1b5\"\n");
    EXPECT_EQ(run("field Tick\n1"), "error: no field named \"Tick\\n1\"\n");
    EXPECT_EQ(run("call datenice 1\tMay"), "error: \"1\\tMay\" is not a date\n");
    EXPECT_EQ(run("frob\\\"nicate"), "error: unknown command \"frob\\\\\\\"nicate\"\n");
    EXPECT_EQ(actions.count, 1) << "only the pick is well formed; the host refuses its item";
}

TEST_F(DriveSessionTest, SpacesAroundTheWordsDoNotCount) {
    EXPECT_EQ(run("  click   OptCRL  "), "");
    EXPECT_EQ(run("pick DDVal 45   "), "");
    EXPECT_EQ(run("get DDVal.Text \t"), "45\n");
    EXPECT_EQ(run("call datenice  26 October 2006  "), "26 October 2006\n");
    EXPECT_EQ(run("field ScanGestDays "), "0\n");
}

// One line for each query, one for each refusal, none for an action that succeeds.
TEST_F(DriveSessionTest, EachCommandPrintsItsOneLine) {
    EXPECT_EQ(run("click ComCalcEDD"), "");
    EXPECT_EQ(run("get LabEDD.Caption"), "12 June 2000\n");
    EXPECT_EQ(run("field EDDDate"), "2000-06-12\n");
    EXPECT_EQ(run("click ComCalcEDD"), "error: ComCalcEDD cannot take input while it is hidden or "
                                       "disabled\n");
    EXPECT_EQ(run("# a comment"), "");
    EXPECT_EQ(run(""), "");
}

} // namespace
} // namespace ruvo
