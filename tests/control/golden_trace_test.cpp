#include "control_fixture.h"

#include "host/event_trace.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <ostream>
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

// Start-up is traced from the first step of Initialize.
TEST(GoldenTrace, StartUp) {
    FixedClock clock(parseDate("7 December 2006"));
    Moravine control(clock);
    EventTrace trace(control.host);
    ASSERT_FALSE(control.initialize());
    expectGolden("startup", trace.text());
}

// One handler run, traced from a state in which every Click that it can raise does run: most
// scenarios start with a gestation at birth on view, so that "No" is selected inside the run.
struct Scenario {
    const char* name;
    std::function<void(ControlTest&)> arrange;
    std::function<void(ControlTest&)> act;
};

// gtest prints a parameter in its failure lines ("where GetParam() = ..."): the scenario's name
// rather than its bytes.
void PrintTo(const Scenario& scenario, std::ostream* out) {
    *out << scenario.name;
}

class GoldenTraceTest : public ControlTest, public ::testing::WithParamInterface<Scenario> {};

TEST_P(GoldenTraceTest, MatchesItsGoldenTrace) {
    GetParam().arrange(*this);
    EventTrace trace(control.host);
    GetParam().act(*this);
    expectGolden(GetParam().name, trace.text());
}

std::string scenarioName(const ::testing::TestParamInfo<Scenario>& info) {
    return info.param.name;
}

// The ways there.

void scanOn6April2006(ControlTest& t) {
    t.pickScanDate("6", "April", "2006");
}

void crownRumpLength45(ControlTest& t) {
    t.click(t.s.OptCRL);
    t.pick(t.s.DDVal, "45");
    scanOn6April2006(t);
}

// The EDD of 26 October 2006, and the date of birth of 20 October 2006 asked.
void birthDateAsked(ControlTest& t) {
    crownRumpLength45(t);
    t.click(t.s.ComCalcEDD);
    t.click(t.s.OptYes);
    t.pick(t.s.DDDOBDateD, "20");
}

void gestationShown(ControlTest& t) {
    birthDateAsked(t);
    t.click(t.s.ComCalcGest);
}

void derivedGestationShown(ControlTest& t) {
    t.click(t.s.OptDG);
    t.pick(t.s.DDUSW, "12");
    t.pick(t.s.DDUSD, "3");
    scanOn6April2006(t);
    t.click(t.s.ComCalcEDD);
    t.click(t.s.OptYes);
    t.click(t.s.ComCalcGest);
}

void lmpOn(ControlTest& t, const char* day, const char* month, const char* year) {
    t.click(t.s.OptLMP);
    t.pickScanDate(day, month, year);
}

// The ways in.

void fourTicks(ControlTest& t, Timer& timer) {
    for (int i = 0; i < 4; ++i)
        t.tick(timer);
}

// A click whose handler fails at a step: what it did before stays, and the trace shows where it
// ended.
void clickFailing(ControlTest& t, Widget& widget) {
    EXPECT_TRUE(t.control.host.click(widget)) << widget.name() << " did not fail";
}

const Scenario scenarios[] = {
    // The mode, scan data and measurement options.
    {"OptLMP", gestationShown, [](ControlTest& t) { t.click(t.s.OptLMP); }},
    {"OptUS_from_lmp_with_derived_gestation",
     [](ControlTest& t) {
         t.click(t.s.OptDG);
         lmpOn(t, "6", "April", "2006");
         t.click(t.s.ComCalcEDD);
         t.click(t.s.OptYes);
         t.click(t.s.ComCalcGest);
     },
     [](ControlTest& t) { t.click(t.s.OptUS); }},
    {"OptUS_from_lmp_in_january",
     [](ControlTest& t) {
         lmpOn(t, "15", "January", "2006");
         t.click(t.s.ComCalcEDD);
         t.click(t.s.OptYes);
     },
     [](ControlTest& t) { t.click(t.s.OptUS); }},
    {"ComRestart_from_lmp", [](ControlTest& t) { lmpOn(t, "1", "March", "2000"); },
     [](ControlTest& t) { t.click(t.s.ComRestart); }},
    {"ComRestart_from_gestation_shown", gestationShown,
     [](ControlTest& t) { t.click(t.s.ComRestart); }},
    {"OptFB", derivedGestationShown, [](ControlTest& t) { t.click(t.s.OptFB); }},
    {"OptDG", gestationShown, [](ControlTest& t) { t.click(t.s.OptDG); }},
    {"OptCRL",
     [](ControlTest& t) {
         scanOn6April2006(t);
         t.click(t.s.ComCalcEDD);
         t.click(t.s.OptYes);
     },
     [](ControlTest& t) { t.click(t.s.OptCRL); }},
    {"OptBPD", gestationShown, [](ControlTest& t) { t.click(t.s.OptBPD); }},
    {"OptHC", gestationShown, [](ControlTest& t) { t.click(t.s.OptHC); }},

    // The question. A biparietal diameter of 40 mm on 6 April 2006 gives 10 September 2006:
    // month, day and year of the date-of-birth lists all change.
    {"OptYes",
     [](ControlTest& t) {
         t.pick(t.s.DDVal, "40");
         scanOn6April2006(t);
         t.click(t.s.ComCalcEDD);
     },
     [](ControlTest& t) { t.click(t.s.OptYes); }},
    {"OptYes_with_an_edd_on_29_february",
     [](ControlTest& t) {
         lmpOn(t, "25", "May", "2007");
         t.click(t.s.ComCalcEDD);
     },
     [](ControlTest& t) { t.click(t.s.OptYes); }},
    {"OptYes_with_an_edd_after_the_year_list",
     [](ControlTest& t) {
         lmpOn(t, "1", "June", "2020");
         t.click(t.s.ComCalcEDD);
     },
     [](ControlTest& t) { t.click(t.s.OptYes); }},
    {"OptNo", gestationShown, [](ControlTest& t) { t.click(t.s.OptNo); }},

    // The calculations, in each branch and on a failing step.
    {"ComCalcEDD_lmp", [](ControlTest& t) { lmpOn(t, "1", "June", "2007"); },
     [](ControlTest& t) { t.click(t.s.ComCalcEDD); }},
    {"ComCalcEDD_crown_rump_length", crownRumpLength45,
     [](ControlTest& t) { t.click(t.s.ComCalcEDD); }},
    {"ComCalcEDD_biparietal_diameter",
     [](ControlTest& t) {
         t.pick(t.s.DDVal, "40");
         scanOn6April2006(t);
     },
     [](ControlTest& t) { t.click(t.s.ComCalcEDD); }},
    {"ComCalcEDD_head_circumference",
     [](ControlTest& t) {
         t.click(t.s.OptHC);
         t.pick(t.s.DDVal, "150");
         scanOn6April2006(t);
     },
     [](ControlTest& t) { t.click(t.s.ComCalcEDD); }},
    {"ComCalcEDD_derived_gestation",
     [](ControlTest& t) {
         t.click(t.s.OptDG);
         t.pick(t.s.DDUSW, "12");
         t.pick(t.s.DDUSD, "3");
         scanOn6April2006(t);
     },
     [](ControlTest& t) { t.click(t.s.ComCalcEDD); }},
    {"ComCalcEDD_failing_scan_value",
     [](ControlTest& t) {
         crownRumpLength45(t);
         t.s.DDVal.clear();
     },
     [](ControlTest& t) { clickFailing(t, t.s.ComCalcEDD); }},
    {"ComCalcEDD_failing_scan_date",
     [](ControlTest& t) {
         crownRumpLength45(t);
         t.s.DDLSDateD.clear();
     },
     [](ControlTest& t) { clickFailing(t, t.s.ComCalcEDD); }},
    {"ComCalcGest", birthDateAsked, [](ControlTest& t) { t.click(t.s.ComCalcGest); }},
    {"ComCalcGest_refused_birth_before_the_pregnancy",
     [](ControlTest& t) {
         birthDateAsked(t);
         t.pick(t.s.DDDOBDateY, "2005");
     },
     [](ControlTest& t) { clickFailing(t, t.s.ComCalcGest); }},
    {"ComCalcGest_failing_date",
     [](ControlTest& t) {
         birthDateAsked(t);
         t.s.DDDOBDateD.clear();
     },
     [](ControlTest& t) { clickFailing(t, t.s.ComCalcGest); }},

    // The pickers, each while a gestation at birth is on view.
    {"DDLSDateM", gestationShown, [](ControlTest& t) { t.pick(t.s.DDLSDateM, "May"); }},
    {"DDLSDateD", gestationShown, [](ControlTest& t) { t.pick(t.s.DDLSDateD, "7"); }},
    {"DDLSDateY", gestationShown, [](ControlTest& t) { t.pick(t.s.DDLSDateY, "2007"); }},
    {"DDDOBDateM", gestationShown, [](ControlTest& t) { t.pick(t.s.DDDOBDateM, "November"); }},
    {"DDDOBDateD", gestationShown, [](ControlTest& t) { t.pick(t.s.DDDOBDateD, "21"); }},
    {"DDDOBDateY", gestationShown, [](ControlTest& t) { t.pick(t.s.DDDOBDateY, "2007"); }},
    {"DDUSW", derivedGestationShown, [](ControlTest& t) { t.pick(t.s.DDUSW, "13"); }},
    {"DDUSD", derivedGestationShown, [](ControlTest& t) { t.pick(t.s.DDUSD, "4"); }},
    {"DDVal", gestationShown, [](ControlTest& t) { t.pick(t.s.DDVal, "46"); }},

    // Each prompt's four ticks, started from its shown and from its blank form.
    {"Timer1_from_shown", [](ControlTest& t) { t.click(t.s.ComCalcEDD); },
     [](ControlTest& t) { fourTicks(t, t.s.Timer1); }},
    {"Timer1_from_blank",
     [](ControlTest& t) {
         t.click(t.s.ComCalcEDD);
         t.tick(t.s.Timer1);
         t.pick(t.s.DDVal, "40");
         t.click(t.s.ComCalcEDD);
     },
     [](ControlTest& t) { fourTicks(t, t.s.Timer1); }},
    {"Timer2_from_shown", birthDateAsked, [](ControlTest& t) { fourTicks(t, t.s.Timer2); }},
    {"Timer2_from_blank",
     [](ControlTest& t) {
         birthDateAsked(t);
         t.tick(t.s.Timer2);
         t.pick(t.s.DDDOBDateD, "21");
     },
     [](ControlTest& t) { fourTicks(t, t.s.Timer2); }},
    {"Timer3_from_shown", [](ControlTest& t) { t.pick(t.s.DDVal, "40"); },
     [](ControlTest& t) { fourTicks(t, t.s.Timer3); }},
    {"Timer3_from_blank",
     [](ControlTest& t) {
         t.pick(t.s.DDVal, "40");
         t.click(t.s.ComCalcEDD);
     },
     [](ControlTest& t) { fourTicks(t, t.s.Timer3); }},
    {"Timer3_started_again_while_running",
     [](ControlTest& t) {
         t.tick(t.s.Timer3);
         t.tick(t.s.Timer3);
     },
     [](ControlTest& t) {
         t.pick(t.s.DDVal, "40");
         fourTicks(t, t.s.Timer3);
     }},
};

INSTANTIATE_TEST_SUITE_P(EveryHandler, GoldenTraceTest, ::testing::ValuesIn(scenarios),
                         scenarioName);

} // namespace
} // namespace ruvo
