#include "control_fixture.h"

#include <gtest/gtest.h>

namespace ruvo {
namespace {

using testing::ControlTest;
using testing::SurfaceState;

class CalculationTest : public ControlTest {
  public:
    // Chooses the measurement and value as a user would.
    void measure(OptionButton& measurement, const char* millimetres) {
        click(measurement);
        pick(s.DDVal, millimetres);
    }
    void deriveGestation(const char* weeks, const char* days) {
        click(s.OptDG);
        pick(s.DDUSW, weeks);
        pick(s.DDUSD, days);
    }
};

struct ScanExample {
    const char* measurement; // "CRL", "BPD", "HC" or "weeks+days"
    const char* value;
    double gestation;
    std::int16_t daysToEdd;
};

// The gestation table, through option clicks, list picks and the button.
TEST_F(CalculationTest, ScanGestationsComeOutExactlyThroughTheSurface) {
    const ScanExample examples[] = {
        {"CRL", "10", 49.21265971967579, 231},
        {"CRL", "33", 70.00521842992421, 210},
        {"CRL", "45", 77.76445806448493, 203},
        {"CRL", "80", 95.76927741931323, 185},
        {"BPD", "20", 83.97, 197},
        {"BPD", "40", 123.77, 157},
        {"BPD", "55", 153.62, 127},
        {"HC", "75", 84.56582648985996, 196},
        {"HC", "100", 99.01765316687515, 181},
        {"HC", "150", 127.75870901070218, 153},
        {"HC", "195", 153.33596394107525, 127},
        {"weeks+days", "12 3", 87, 193},
        {"weeks+days", "7 0", 49, 231},
        {"weeks+days", "22 6", 160, 120},
    };
    for (const ScanExample& example : examples) {
        SCOPED_TRACE(std::string(example.measurement) + " " + example.value);
        click(s.ComRestart);
        const std::string kind = example.measurement;
        if (kind == "weeks+days") {
            const std::string value = example.value;
            const auto space = value.find(' ');
            deriveGestation(value.substr(0, space).c_str(), value.substr(space + 1).c_str());
        } else {
            measure(kind == "CRL" ? s.OptCRL : kind == "BPD" ? s.OptBPD : s.OptHC, example.value);
        }
        pickScanDate("6", "April", "2006");
        click(s.ComCalcEDD);
        EXPECT_EQ(control.state.ScanGestDays, example.gestation);
        EXPECT_EQ(control.state.DaysToEDD, example.daysToEdd);
        EXPECT_EQ(control.state.EDDDate, parseDate("6 April 2006") + example.daysToEdd);
    }
}

TEST_F(CalculationTest, DueDatesOfTheWorkedExamples) {
    struct Example {
        std::function<void(CalculationTest&)> choose;
        const char *day, *month, *year, *edd;
    };
    const Example examples[] = {
        {[](CalculationTest& t) { t.click(t.s.OptLMP); }, "1", "January", "2006", "8 October 2006"},
        {[](CalculationTest& t) { t.click(t.s.OptLMP); }, "1", "June", "2006", "8 March 2007"},
        {[](CalculationTest& t) { t.click(t.s.OptLMP); }, "1", "June", "2007", "7 March 2008"},
        {[](CalculationTest& t) { t.measure(t.s.OptCRL, "45"); }, "6", "April", "2006",
         "26 October 2006"},
        {[](CalculationTest& t) { t.measure(t.s.OptCRL, "80"); }, "6", "April", "2006",
         "8 October 2006"},
        {[](CalculationTest& t) { t.measure(t.s.OptBPD, "40"); }, "6", "April", "2006",
         "10 September 2006"},
        {[](CalculationTest& t) { t.measure(t.s.OptHC, "150"); }, "6", "April", "2006",
         "6 September 2006"},
        {[](CalculationTest& t) { t.deriveGestation("12", "3"); }, "6", "April", "2006",
         "16 October 2006"},
    };
    for (const Example& example : examples) {
        SCOPED_TRACE(example.edd);
        click(s.ComRestart);
        example.choose(*this);
        pickScanDate(example.day, example.month, example.year);
        click(s.ComCalcEDD);
        EXPECT_EQ(s.LabEDD.caption(), example.edd);
        EXPECT_EQ(control.state.EDDDate, parseDate(example.edd)); // at midnight
        EXPECT_EQ(testing::surfaceState(s), SurfaceState::EddShown);
    }
}

TEST_F(CalculationTest, AnLmpCalculationLeavesTheScanFieldsAlone) {
    measure(s.OptCRL, "45");
    pickScanDate("6", "April", "2006");
    click(s.ComCalcEDD);
    click(s.OptLMP);
    pickScanDate("1", "January", "2006");
    click(s.ComCalcEDD);
    EXPECT_EQ(s.LabEDD.caption(), "8 October 2006");
    EXPECT_EQ(control.state.ScanGestDays, 77.76445806448493);
    EXPECT_EQ(control.state.DaysToEDD, 203);
}

TEST_F(CalculationTest, WithNoMeasurementChosenTheHeadCircumferenceFormulaIsUsed) {
    measure(s.OptHC, "150");
    s.OptHC.setValue(false); // only code can leave a group without a selection
    pickScanDate("6", "April", "2006");
    click(s.ComCalcEDD);
    EXPECT_EQ(s.LabEDD.caption(), "6 September 2006");
}

TEST_F(CalculationTest, DerivedGestationIsUsedWheneverFetalBiometryIsNotSelected) {
    deriveGestation("12", "3");
    s.OptDG.setValue(false);
    pickScanDate("6", "April", "2006");
    click(s.ComCalcEDD);
    EXPECT_EQ(s.LabEDD.caption(), "16 October 2006");
}

TEST_F(CalculationTest, ASecondPressRecalculates) {
    measure(s.OptCRL, "45");
    pickScanDate("6", "April", "2006");
    click(s.ComCalcEDD);
    pick(s.DDVal, "80");
    click(s.ComCalcEDD);
    EXPECT_EQ(s.LabEDD.caption(), "8 October 2006");
    EXPECT_EQ(control.state.EDDDate, parseDate("8 October 2006"));
}

// A scan value that is no number ends the handler at that step.
TEST_F(CalculationTest, AFailingStepKeepsWhatWasDoneBefore) {
    click(s.ComCalcEDD);
    const std::string shownEdd = s.LabEDD.caption();
    click(s.OptCRL);
    s.DDVal.clear(); // nothing selected: the text is ""
    s.Timer1.setEnabled(false);
    control.state.Tick1 = 3;
    auto error = control.host.click(s.ComCalcEDD);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->kind(), ErrorKind::TypeMismatch);
    EXPECT_EQ(control.state.Tick1, 0);
    EXPECT_TRUE(s.Timer1.enabled());
    EXPECT_EQ(s.LabEDD.caption(), shownEdd);
    EXPECT_TRUE(s.ComCalcEDD.visible());
    EXPECT_EQ(testing::surfaceState(s), SurfaceState::Ready);
}

struct BirthExample {
    const char *day, *month, *year, *caption;
};

TEST_F(CalculationTest, GestationsAtBirthOfTheWorkedExamples) {
    measure(s.OptCRL, "45");
    pickScanDate("6", "April", "2006");
    click(s.ComCalcEDD);
    ASSERT_EQ(control.state.EDDDate, parseDate("26 October 2006"));
    click(s.OptYes);
    const BirthExample examples[] = {
        {"20", "October", "2006", "39 weeks 1 days"}, {"26", "October", "2006", "40 weeks 0 days"},
        {"2", "November", "2006", "41 weeks 0 days"}, {"1", "June", "2006", "19 weeks 0 days"},
        {"25", "October", "2006", "39 weeks 6 days"}, {"27", "October", "2006", "40 weeks 1 days"},
        {"19", "January", "2006", "0 weeks 0 days"}, // 280 days before the EDD
    };
    for (const BirthExample& example : examples) {
        SCOPED_TRACE(example.caption);
        pickDate(s.DDDOBDateD, s.DDDOBDateM, s.DDDOBDateY, example.day, example.month,
                 example.year);
        click(s.ComCalcGest);
        EXPECT_EQ(s.LabGest.caption(), example.caption);
        EXPECT_EQ(control.state.DOBDate,
                  parseDate(std::string(example.day) + " " + example.month + " " + example.year));
        EXPECT_EQ(testing::surfaceState(s), SurfaceState::GestationShown);
        // The same lists and EDD give the same caption again.
        pick(s.DDDOBDateY, "2005");
        pick(s.DDDOBDateY, example.year);
        click(s.ComCalcGest);
        EXPECT_EQ(s.LabGest.caption(), example.caption);
    }
}

// A birth more than 280 days before the EDD is refused before anything is shown.
TEST_F(CalculationTest, ABirthBeforeThePregnancyIsRefusedWithoutAStaleResult) {
    measure(s.OptCRL, "45");
    pickScanDate("6", "April", "2006");
    click(s.ComCalcEDD);
    click(s.OptYes);
    click(s.ComCalcGest);
    ASSERT_EQ(s.LabGest.caption(), "40 weeks 0 days");
    pickDate(s.DDDOBDateD, s.DDDOBDateM, s.DDDOBDateY, "1", "December", "2005");
    auto error = control.host.click(s.ComCalcGest);
    ASSERT_TRUE(error);
    EXPECT_STREQ(error->what(), "date of birth is before the start of the pregnancy");
    EXPECT_FALSE(s.FrameGest.visible()); // as the pick left it
    EXPECT_EQ(s.LabGest.caption(), "40 weeks 0 days");
    EXPECT_TRUE(s.ComCalcGest.visible());
    EXPECT_EQ(testing::surfaceState(s), SurfaceState::BirthDateAsked);
    // The control stays usable.
    pick(s.DDDOBDateY, "2006");
    click(s.ComCalcGest);
    EXPECT_EQ(s.LabGest.caption(), "45 weeks 1 days");
}

TEST_F(CalculationTest, ANewEddIsTheOneTheGestationCountsFrom) {
    click(s.OptLMP);
    pickScanDate("1", "January", "2006");
    click(s.ComCalcEDD);
    click(s.OptYes); // the lists show 8 October 2006
    click(s.ComCalcGest);
    EXPECT_EQ(s.LabGest.caption(), "40 weeks 0 days");
    pick(s.DDLSDateD, "8"); // the LMP a week later
    click(s.ComCalcEDD);
    click(s.OptYes);
    pickDate(s.DDDOBDateD, s.DDDOBDateM, s.DDDOBDateY, "8", "October", "2006");
    click(s.ComCalcGest);
    EXPECT_EQ(s.LabGest.caption(), "39 weeks 0 days");
}

TEST_F(CalculationTest, DatenicePublicMethod) {
    EXPECT_EQ(control.datenice(parseDate("2006-10-26") + 0.75), "26 October 2006");
    EXPECT_EQ(control.datenice(parseDate("2007-01-01")), "1 January 2007");
    EXPECT_THROW(control.datenice(std::numeric_limits<double>::quiet_NaN()), RuntimeError);
}

} // namespace
} // namespace ruvo
