#include "control_fixture.h"

#include "control/core/surface_colors.h"

#include <gtest/gtest.h>

namespace ruvo {
namespace {

using testing::ControlTest;
using testing::SurfaceState;
using testing::surfaceState;

class WorkflowTest : public ControlTest {
  public:
    void expectState(SurfaceState expected) {
        const auto state = surfaceState(s);
        EXPECT_TRUE(state == expected) << "expected " << testing::stateName(expected) << ", got "
                                       << (state ? testing::stateName(*state) : "no state");
        const auto mismatches = testing::configurationMismatches(s);
        EXPECT_TRUE(mismatches.empty()) << "off the configuration: " << mismatches.front();
    }

    void reachEddShown() {
        click(s.ComCalcEDD);
        expectState(SurfaceState::EddShown);
    }
    void reachBirthDateAsked() {
        reachEddShown();
        click(s.OptYes);
        expectState(SurfaceState::BirthDateAsked);
    }
    void reachGestationShown() {
        reachBirthDateAsked();
        click(s.ComCalcGest);
        expectState(SurfaceState::GestationShown);
    }
};

TEST_F(WorkflowTest, TheResultPanelsFollowTheWorkflow) {
    expectState(SurfaceState::Ready);
    reachGestationShown();
    pick(s.DDDOBDateD, "2"); // a date-of-birth pick withdraws only the gestation
    expectState(SurfaceState::BirthDateAsked);
    click(s.ComCalcGest);
    click(s.OptNo);
    expectState(SurfaceState::EddShown);
    EXPECT_FALSE(s.ComCalcEDD.visible()); // a new EDD needs an input change first
    click(s.OptYes);
    expectState(SurfaceState::BirthDateAsked);
    click(s.OptNo);
    expectState(SurfaceState::EddShown);
}

// Every change of a dating input returns to Ready from any state.
TEST_F(WorkflowTest, EveryInputChangeReturnsToReady) {
    struct Change {
        const char* what;
        std::function<void(WorkflowTest&)> apply;
    };
    const Change changes[] = {
        {"LMP-based", [](WorkflowTest& t) { t.click(t.s.OptLMP); }},
        {"Derived gestation", [](WorkflowTest& t) { t.click(t.s.OptDG); }},
        {"another measurement",
         [](WorkflowTest& t) { t.click(t.s.OptCRL.value() ? t.s.OptHC : t.s.OptCRL); }},
        {"another scan value",
         [](WorkflowTest& t) {
             const auto& items = t.s.DDVal.items();
             t.pick(t.s.DDVal, t.s.DDVal.text() == items[0] ? items[1] : items[0]);
         }},
        {"a scan day", [](WorkflowTest& t) { t.pick(t.s.DDLSDateD, "15"); }},
        {"a scan month", [](WorkflowTest& t) { t.pick(t.s.DDLSDateM, "June"); }},
        {"a scan year", [](WorkflowTest& t) { t.pick(t.s.DDLSDateY, "2006"); }},
        {"restart", [](WorkflowTest& t) { t.click(t.s.ComRestart); }},
    };
    for (const Change& change : changes) {
        for (auto reach : {&WorkflowTest::reachEddShown, &WorkflowTest::reachBirthDateAsked,
                           &WorkflowTest::reachGestationShown}) {
            SCOPED_TRACE(change.what);
            click(s.ComRestart);
            (this->*reach)();
            change.apply(*this);
            expectState(SurfaceState::Ready);
        }
    }
}

TEST_F(WorkflowTest, LmpBasedGreysTheScanInputsAndKeepsMonthAndYear) {
    pickScanDate("15", "March", "2006");
    click(s.OptDG);
    click(s.OptLMP);
    expectState(SurfaceState::Ready);
    EXPECT_EQ(s.FrameDate.caption(), "Date of LMP");
    EXPECT_EQ(s.DDLSDateM.text(), "March");
    EXPECT_EQ(s.DDLSDateD.text(), "1");
    EXPECT_EQ(s.DDLSDateY.text(), "2006");
    EXPECT_EQ(s.DDUSW.backColor(), InactiveBackColor);
    EXPECT_TRUE(s.OptDG.value()); // kept, greyed
    EXPECT_TRUE(s.DDVal.visible());
    EXPECT_FALSE(s.DDVal.canTakeInput());
    EXPECT_TRUE(control.host.click(s.OptCRL)); // inside a disabled frame
}

TEST_F(WorkflowTest, UltrasoundBasedAfterLmpRestoresFetalBiometryAndItsValues) {
    click(s.OptHC);
    pick(s.DDVal, "150");
    click(s.OptDG);
    pick(s.DDUSW, "12");
    click(s.OptLMP);
    pickScanDate("15", "March", "2006");
    click(s.OptUS);
    expectState(SurfaceState::Ready);
    EXPECT_TRUE(s.OptFB.value());
    EXPECT_TRUE(s.OptHC.value());
    EXPECT_EQ(s.DDVal.text(), "150");
    EXPECT_EQ(s.DDUSW.text(), "12");
    EXPECT_EQ(s.DDLSDateM.text(), "January");
    EXPECT_EQ(s.DDLSDateD.text(), "1");
    EXPECT_EQ(s.DDLSDateY.text(), "2000");
    EXPECT_EQ(s.FrameDate.caption(), "Date of Ultrasound scan");
}

TEST_F(WorkflowTest, RestartInLmpModeEqualsChoosingUltrasound) {
    click(s.OptLMP);
    pickScanDate("15", "March", "2006");
    click(s.ComRestart);
    FixedClock otherClock(clock.today());
    Moravine reference(otherClock);
    ASSERT_FALSE(reference.initialize());
    ASSERT_FALSE(reference.host.click(reference.surface.OptLMP));
    ASSERT_FALSE(reference.host.pick(reference.surface.DDLSDateM, "March"));
    ASSERT_FALSE(reference.host.pick(reference.surface.DDLSDateD, "15"));
    ASSERT_FALSE(reference.host.pick(reference.surface.DDLSDateY, "2006"));
    ASSERT_FALSE(reference.host.click(reference.surface.OptUS));
    const auto& mine = control.host.widgets();
    const auto& theirs = reference.host.widgets();
    for (std::size_t i = 0; i < mine.size(); ++i) {
        EXPECT_EQ(mine[i]->visible(), theirs[i]->visible()) << mine[i]->name();
        EXPECT_EQ(mine[i]->enabled(), theirs[i]->enabled()) << mine[i]->name();
        EXPECT_EQ(mine[i]->caption(), theirs[i]->caption()) << mine[i]->name();
        EXPECT_EQ(mine[i]->backColor(), theirs[i]->backColor()) << mine[i]->name();
    }
}

TEST_F(WorkflowTest, ScanDataChoiceSwitchesGroupsWithoutLosingInput) {
    click(s.OptCRL);
    pick(s.DDVal, "45");
    click(s.OptDG);
    expectState(SurfaceState::Ready);
    EXPECT_EQ(s.DDVal.backColor(), InactiveBackColor);
    EXPECT_EQ(s.DDUSW.backColor(), ActiveBackColor);
    EXPECT_TRUE(s.LabUSD.enabled());
    click(s.OptFB);
    EXPECT_TRUE(s.OptCRL.value());
    EXPECT_EQ(s.DDVal.text(), "45");
    EXPECT_EQ(s.DDUSW.text(), "18");
}

TEST_F(WorkflowTest, MeasurementChoiceRefillsTheValueList) {
    click(s.OptHC);
    EXPECT_EQ(s.DDVal.items().size(), 25u);
    EXPECT_EQ(s.DDVal.items()[1], "80");
    EXPECT_EQ(s.DDVal.text(), "135");
    EXPECT_FALSE(s.DDVal.hasItem("77"));
    click(s.OptCRL);
    EXPECT_EQ(s.DDVal.items().size(), 71u);
    EXPECT_EQ(s.DDVal.text(), "33");
    pick(s.DDVal, "60");
    click(s.OptBPD);
    EXPECT_EQ(s.DDVal.text(), "37");
    click(s.OptCRL);
    EXPECT_EQ(s.DDVal.text(), "33"); // nothing carried over
}

TEST_F(WorkflowTest, DayListsFollowTheirMonth) {
    pick(s.DDLSDateM, "March");
    pick(s.DDLSDateD, "15");
    pick(s.DDLSDateM, "April");
    EXPECT_TRUE(testing::dayListFollowsMonth(s.DDLSDateM, s.DDLSDateD));
    EXPECT_EQ(s.DDLSDateD.items().size(), 30u);
    EXPECT_EQ(s.DDLSDateD.text(), "1"); // every month pick selects day 1
    pick(s.DDLSDateM, "February");
    pick(s.DDLSDateY, "2008"); // a leap year, and still no 29
    EXPECT_EQ(s.DDLSDateD.items().size(), 28u);
    reachBirthDateAsked();
    pick(s.DDDOBDateM, "November");
    EXPECT_EQ(s.DDDOBDateD.items().size(), 30u);
}

TEST_F(WorkflowTest, YesPresetsTheDateOfBirthToTheEddAndTakesTheFocus) {
    pickScanDate("6", "April", "2006");
    click(s.OptCRL);
    pick(s.DDVal, "45");
    click(s.ComCalcEDD);
    click(s.OptYes);
    EXPECT_EQ(s.DDDOBDateM.text(), "October");
    EXPECT_EQ(s.DDDOBDateD.text(), "26");
    EXPECT_EQ(s.DDDOBDateY.text(), "2006");
    EXPECT_EQ(control.host.focus(), &s.DDDOBDateM);
    EXPECT_TRUE(s.ComCalcGest.visible());
    EXPECT_FALSE(s.ComCalcEDD.visible());
    pickDate(s.DDDOBDateD, s.DDDOBDateM, s.DDDOBDateY, "3", "May", "2001");
    click(s.OptNo);
    click(s.OptYes);
    EXPECT_EQ(s.DDDOBDateM.text(), "October");
    EXPECT_EQ(s.DDDOBDateD.text(), "26");
    EXPECT_EQ(s.DDDOBDateY.text(), "2006");
}

// The date-of-birth lists offer no 29 February and no year after the year lists' last. An EDD on
// 29 February presets the nearest day, the 28th; an EDD after the year list leaves that list as
// it was. The rest of "Yes" goes on.
TEST_F(WorkflowTest, YesWithAnEddTheListsCannotShowPresetsTheNearestDateTheyHold) {
    click(s.OptLMP);
    pickScanDate("25", "May", "2007");
    click(s.ComCalcEDD);
    ASSERT_EQ(s.LabEDD.caption(), "29 February 2008");
    click(s.OptYes);
    EXPECT_EQ(s.DDDOBDateM.text(), "February");
    EXPECT_EQ(s.DDDOBDateD.text(), "28");
    EXPECT_EQ(s.DDDOBDateY.text(), "2008");
    EXPECT_EQ(control.host.focus(), &s.DDDOBDateM);
    expectState(SurfaceState::BirthDateAsked);
    click(s.ComCalcGest); // a birth on the preset is one day before the EDD
    EXPECT_EQ(s.LabGest.caption(), "39 weeks 6 days");

    pickScanDate("1", "December", "2020");
    click(s.ComCalcEDD);
    ASSERT_EQ(s.LabEDD.caption(), "7 September 2021");
    click(s.OptYes);
    EXPECT_EQ(s.DDDOBDateM.text(), "September");
    EXPECT_EQ(s.DDDOBDateD.text(), "7");
    EXPECT_EQ(s.DDDOBDateY.text(), "2008"); // 2021 is not offered while today is in 2006
    expectState(SurfaceState::BirthDateAsked);
}

TEST_F(WorkflowTest, TheFirstDateOfBirthPickStartsItsPrompt) {
    reachBirthDateAsked();
    s.Timer2.setEnabled(false);
    control.state.Tick2 = 3;
    pick(s.DDDOBDateD, "5");
    EXPECT_TRUE(s.Timer2.enabled());
    EXPECT_EQ(control.state.Tick2, 0);
}

} // namespace
} // namespace ruvo
