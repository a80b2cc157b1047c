#include "control_fixture.h"

#include "control/core/surface_colors.h"
#include "control/core/widget_tree.h"

#include <gtest/gtest.h>

namespace ruvo {
namespace {

using testing::ControlTest;
using testing::SurfaceState;

std::vector<std::string> names(const std::vector<std::string>& items) {
    return items;
}

std::vector<std::string> range(int first, int last) {
    std::vector<std::string> items;
    for (int i = first; i <= last; ++i)
        items.push_back(std::to_string(i));
    return items;
}

class StartUpTest : public ControlTest {};

TEST_F(StartUpTest, BuildsTheWholeTreeInCreationOrder) {
    const auto& widgets = control.host.widgets();
    ASSERT_EQ(widgets.size(), 46u); // the control and its 45 widgets
    EXPECT_EQ(widgets[1]->name(), "FrameLS");
    EXPECT_EQ(widgets[45]->name(), "Labmm");
    EXPECT_EQ(control.host.control().geometry(), (Geometry{0, 0, 8715, 5415}));
    EXPECT_EQ(s.ComCalcEDD.geometry(), (Geometry{6600, 3000, 1935, 375}));
    EXPECT_EQ(s.DDLSDateM.geometry(), (Geometry{165, 615, 1215, 315}));
    EXPECT_EQ(s.DDLSDateM.parent(), &s.FrameDate);
    EXPECT_EQ(s.Labmm.parent(), &control.host.control());
    EXPECT_EQ(s.FrameUS.tabIndex(), 1);
    EXPECT_EQ(s.Labmm.tabIndex(), 42);
    EXPECT_EQ(s.LabQDOB.caption(), "Calculate length of gestation at birth?");
    EXPECT_EQ(s.LabQDOB.geometry().height, 495); // two lines
    // Every row's parent comes before it.
    for (std::size_t i = 1; i < widgets.size(); ++i) {
        const auto parent = std::find(widgets.begin(), widgets.end(), widgets[i]->parent());
        EXPECT_LT(parent - widgets.begin(), static_cast<long>(i)) << widgets[i]->name();
    }
}

TEST_F(StartUpTest, GivesTheDesignTimeColoursBordersAndAlignment) {
    for (const Label* result : {&s.LabEDD, &s.LabGest}) {
        EXPECT_EQ(result->backColor(), 0x80000009u);
        EXPECT_EQ(result->foreColor(), 0x000000C0u);
        EXPECT_EQ(result->border(), BorderStyle::FixedSingle);
        EXPECT_EQ(result->alignment(), TextAlignment::Center);
    }
    for (const ComboBox* list :
         {&s.DDLSDateD, &s.DDLSDateM, &s.DDLSDateY, &s.DDDOBDateD, &s.DDDOBDateM, &s.DDDOBDateY})
        EXPECT_EQ(list->backColor(), 0x00C0C0FFu) << list->name();
    EXPECT_EQ(s.LabUSW.alignment(), TextAlignment::Center);
    EXPECT_EQ(s.LabDOBDateD.alignment(), TextAlignment::Center);
    EXPECT_EQ(s.Labmm.alignment(), TextAlignment::Left);
    EXPECT_EQ(s.LabQDOB.border(), BorderStyle::None);
}

TEST_F(StartUpTest, EndsInReadyWithUltrasoundFetalBiometryAndBiparietalDiameter) {
    EXPECT_EQ(testing::surfaceState(s), SurfaceState::Ready);
    EXPECT_TRUE(testing::configurationMismatches(s).empty());
    EXPECT_TRUE(s.OptUS.value());
    EXPECT_TRUE(s.OptFB.value());
    EXPECT_TRUE(s.OptBPD.value());
    EXPECT_TRUE(s.OptNo.value());
    EXPECT_EQ(s.FrameDate.caption(), "Date of Ultrasound scan");
    EXPECT_EQ(s.DDLSDateM.text(), "January");
    EXPECT_EQ(s.DDLSDateD.text(), "1");
    EXPECT_EQ(s.DDLSDateY.text(), "2000");
    EXPECT_EQ(s.DDDOBDateM.text(), "October");
    EXPECT_EQ(s.DDDOBDateD.text(), "1");
    EXPECT_EQ(s.DDDOBDateY.text(), "2000");
    EXPECT_EQ(s.DDLSDateD.items(), range(1, 31));
    EXPECT_EQ(s.DDDOBDateD.items(), range(1, 31));
    EXPECT_EQ(s.DDUSW.items(), range(7, 22));
    EXPECT_EQ(s.DDUSW.text(), "18");
    EXPECT_EQ(s.DDUSD.items(), range(0, 6));
    EXPECT_EQ(s.DDUSD.text(), "0");
    EXPECT_EQ(s.DDVal.items(), range(20, 55));
    EXPECT_EQ(s.DDVal.text(), "37");
    EXPECT_EQ(s.DDVal.backColor(), ActiveBackColor);
    for (const Widget* shown : std::initializer_list<const Widget*>{
             &s.FrameLS, &s.FrameUS, &s.FrameCBH, &s.FrameDate, &s.DDVal, &s.Labmm, &s.Picture1,
             &s.ComRestart, &s.ComCalcEDD})
        EXPECT_TRUE(shown->canTakeInput() || shown == &s.Picture1) << shown->name();
    EXPECT_FALSE(s.FrameDOB.visible());
    EXPECT_EQ(control.host.focus(), nullptr);
}

TEST_F(StartUpTest, StampsTodayAndLeavesTheFirstDateOfBirthPickFree) {
    EXPECT_EQ(control.state.EDDDate, parseDate("7 December 2006"));
    EXPECT_EQ(control.state.DOBDate, parseDate("7 December 2006"));
    EXPECT_EQ(control.state.DOBFirstPick, False16);
    EXPECT_EQ(control.state.Tick2, 0);
    EXPECT_TRUE(s.Timer1.enabled());
    EXPECT_TRUE(s.Timer2.enabled()); // the date-of-birth year pick of start-up starts it
    EXPECT_TRUE(s.Timer3.enabled());
    EXPECT_EQ(s.Timer1.interval(), promptInterval);
}

TEST_F(StartUpTest, YearListsRunFrom1980To2020WhileTodayIsEarlier) {
    EXPECT_EQ(s.DDLSDateY.items(), range(1980, 2020));
    EXPECT_EQ(s.DDDOBDateY.items(), range(1980, 2020));
    EXPECT_EQ(
        names(s.DDLSDateM.items()),
        (std::vector<std::string>{"January", "February", "March", "April", "May", "June", "July",
                                  "August", "September", "October", "November", "December"}));
    EXPECT_EQ(s.DDDOBDateM.items(), s.DDLSDateM.items());
}

class StartUpIn2026Test : public ControlTest {
  protected:
    StartUpIn2026Test() : ControlTest("7 December 2026") {}
};

TEST_F(StartUpIn2026Test, YearListsRunToTheYearAfterToday) {
    EXPECT_EQ(s.DDLSDateY.items(), range(1980, 2027));
    EXPECT_EQ(s.DDDOBDateY.items(), range(1980, 2027));
    // A pregnancy dated from today's scan can be entered, and its birth.
    pickScanDate("7", "December", "2026");
    click(s.ComCalcEDD);
    EXPECT_EQ(s.LabEDD.caption(), "19 May 2027"); // BPD 37 mm: 117.8 days, 163 to go
    click(s.OptYes);
    EXPECT_EQ(s.DDDOBDateY.text(), "2027");
}

TEST_F(StartUpTest, RestartLeavesTheListsAndTheFieldsAlone) {
    click(s.OptLMP);
    pickScanDate("15", "March", "2006");
    click(s.ComCalcEDD);
    click(s.OptYes);
    pickDate(s.DDDOBDateD, s.DDDOBDateM, s.DDDOBDateY, "3", "May", "2006");
    click(s.ComCalcGest);
    const Date eddBefore = control.state.EDDDate;
    const Date dobBefore = control.state.DOBDate;
    const std::int16_t firstPickBefore = control.state.DOBFirstPick;
    click(s.ComRestart);
    EXPECT_EQ(s.DDLSDateY.items().size(), 41u);
    EXPECT_EQ(s.DDLSDateM.items().size(), 12u);
    EXPECT_EQ(s.DDUSW.items().size(), 16u);
    EXPECT_EQ(s.DDDOBDateM.text(), "May");
    EXPECT_EQ(s.DDDOBDateD.text(), "3");
    EXPECT_FALSE(s.FrameDOB.visible());
    EXPECT_EQ(control.state.EDDDate, eddBefore);
    EXPECT_EQ(control.state.DOBDate, dobBefore);
    EXPECT_EQ(control.state.DOBFirstPick, firstPickBefore);
}

} // namespace
} // namespace ruvo
