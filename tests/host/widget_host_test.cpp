#include "host/widget_host.h"

#include "sample_surface.h"

#include <gtest/gtest.h>

#include <vector>

namespace ruvo {
namespace {

using testing::SampleSurface;

class WidgetHostTest : public ::testing::Test, protected SampleSurface {};

TEST_F(WidgetHostTest, KeepsTheTreeInCreationOrder) {
    ASSERT_EQ(host.widgets().size(), 13u);
    EXPECT_EQ(host.widgets().front(), &host.control());
    EXPECT_EQ(host.widgets()[1]->name(), "FrameLS");
    EXPECT_EQ(host.find("OptUS"), &optUs);
    EXPECT_EQ(host.find("Nothing"), nullptr);
    EXPECT_EQ(optUs.parent(), &frameLs);
    EXPECT_EQ(frameLs.children(), (std::vector<Widget*>{&optLmp, &optUs}));
    EXPECT_EQ(optUs.caption(), "Ultrasound-based");
}

// A selection made from code runs the Click at once, nested, before the caller's next step; the
// trace shows each handler's steps inside it.
TEST_F(WidgetHostTest, NestedClicksRunDepthFirstInsideTheAssignment) {
    ASSERT_FALSE(host.click(optLmp));
    EventTrace trace(host);
    host.control().onInitialize = [this] { optUs.setValue(true); };
    ASSERT_FALSE(host.initialize());
    EXPECT_EQ(trace.text(), R"(> Moravine.Initialize
  OptLMP.Value = False
  OptUS.Value = True
  > OptUS.Click
    OptUS.Value = True
    DDLSDateM.Text = "January"
    > DDLSDateM.Click
      DDLSDateD.Clear
      DDLSDateD.AddItem "1"
      DDLSDateD.AddItem "2"
      DDLSDateD.AddItem "3"
      DDLSDateD.AddItem "4"
      DDLSDateD.AddItem "5"
      DDLSDateD.AddItem "6"
      DDLSDateD.AddItem "7"
      DDLSDateD.AddItem "8"
      DDLSDateD.AddItem "9"
      DDLSDateD.AddItem "10"
      DDLSDateD.AddItem "11"
      DDLSDateD.AddItem "12"
      DDLSDateD.AddItem "13"
      DDLSDateD.AddItem "14"
      DDLSDateD.AddItem "15"
      DDLSDateD.AddItem "16"
      DDLSDateD.AddItem "17"
      DDLSDateD.AddItem "18"
      DDLSDateD.AddItem "19"
      DDLSDateD.AddItem "20"
      DDLSDateD.AddItem "21"
      DDLSDateD.AddItem "22"
      DDLSDateD.AddItem "23"
      DDLSDateD.AddItem "24"
      DDLSDateD.AddItem "25"
      DDLSDateD.AddItem "26"
      DDLSDateD.AddItem "27"
      DDLSDateD.AddItem "28"
      DDLSDateD.AddItem "29"
      DDLSDateD.AddItem "30"
      DDLSDateD.AddItem "31"
      DDLSDateD.Text = "1"
      > DDLSDateD.Click
        OptNo.Value = True
        > OptNo.Click
          LabEDD.Visible = False
        < OptNo.Click
      < DDLSDateD.Click
    < DDLSDateM.Click
    FrameDate.Caption = "Date of Ultrasound scan"
  < OptUS.Click
< Moravine.Initialize
)");
}

TEST_F(WidgetHostTest, AnErrorEndsEveryHandlerUpToTheDispatch) {
    ASSERT_FALSE(host.click(optUs));
    optYes.onClick = [this] {
        labEdd.setCaption("before");
        month.setText("April"); // its day list then fails
        labEdd.setCaption("after");
    };
    day.onClick = [this] {
        day.setText("31");
        labEdd.setCaption("not reached");
    };
    EventTrace trace(host);
    auto error = host.click(optYes);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->kind(), ErrorKind::InvalidWidgetUse);
    const std::string& text = trace.text();
    EXPECT_EQ(text.substr(text.find("    DDLSDateD.Text = \"1\"")), R"(    DDLSDateD.Text = "1"
    > DDLSDateD.Click
    < DDLSDateD.Click (error: DDLSDateD: "31" is not an item of the list)
  < DDLSDateM.Click (error: DDLSDateD: "31" is not an item of the list)
< OptYes.Click (error: DDLSDateD: "31" is not an item of the list)
)");
    // What was done stays done; nothing after the failing step ran.
    EXPECT_TRUE(optYes.value());
    EXPECT_EQ(labEdd.caption(), "before");
    EXPECT_EQ(month.text(), "April");
    EXPECT_EQ(day.items().size(), 30u);
    EXPECT_EQ(day.text(), "1");
    EXPECT_EQ(host.depth(), 0);

    // The host stays usable.
    EXPECT_FALSE(host.click(optNo));
    EXPECT_FALSE(labEdd.visible());
}

TEST_F(WidgetHostTest, RefusesTheUsersActionsOnWidgetsThatCannotTakeInput) {
    frameQdob.setEnabled(false);
    auto error = host.click(optYes);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->kind(), ErrorKind::InvalidWidgetUse);
    EXPECT_FALSE(optYes.value());

    frameQdob.setEnabled(true);
    frameQdob.setVisible(false);
    EXPECT_TRUE(host.click(optYes));
    frameQdob.setVisible(true);
    EXPECT_FALSE(host.click(optYes));
    EXPECT_TRUE(optYes.value());

    calculate.setVisible(false);
    EXPECT_TRUE(host.click(calculate));
    frameDate.setEnabled(false);
    EXPECT_TRUE(host.pick(month, "April"));
    EXPECT_EQ(month.text(), "");
}

TEST_F(WidgetHostTest, RefusesActionsTheWidgetDoesNotOffer) {
    EXPECT_TRUE(host.click(labEdd));
    EXPECT_TRUE(host.click(month));
    EXPECT_TRUE(host.pick(optUs, "x"));
    EXPECT_TRUE(host.tick(calculate));
    auto error = host.pick(month, "March");
    ASSERT_TRUE(error);
    EXPECT_STREQ(error->what(), "DDLSDateM holds no item \"March\"");
    EXPECT_EQ(month.text(), "");
}

TEST_F(WidgetHostTest, HidingAFrameBlocksItsChildrenButKeepsTheirOwnValues) {
    optYes.setEnabled(false);
    frameQdob.setVisible(false);
    EXPECT_TRUE(optNo.visible());
    EXPECT_FALSE(optNo.canTakeInput());
    frameQdob.setVisible(true);
    EXPECT_TRUE(optNo.canTakeInput());
    EXPECT_FALSE(optYes.canTakeInput()); // its own Enabled applies again
    EXPECT_FALSE(optYes.enabled());
}

TEST_F(WidgetHostTest, AUserClickOnACommandButtonRunsItsHandler) {
    int presses = 0;
    calculate.onClick = [&] { ++presses; };
    EXPECT_FALSE(host.click(calculate));
    EXPECT_FALSE(host.click(calculate));
    EXPECT_EQ(presses, 2);
}

TEST_F(WidgetHostTest, NoEventArrivesInsideAHandler) {
    std::optional<RuntimeError> nestedClick, nestedTick;
    calculate.onClick = [&] {
        nestedClick = host.click(optYes);
        nestedTick = host.tick(timer);
    };
    ASSERT_FALSE(host.click(calculate));
    ASSERT_TRUE(nestedClick);
    ASSERT_TRUE(nestedTick);
    EXPECT_EQ(nestedTick->kind(), ErrorKind::InvalidWidgetUse);
    EXPECT_FALSE(optYes.value());
}

TEST_F(WidgetHostTest, ADirectCallRunsTheHandlerWithoutSelectingAnything) {
    ASSERT_FALSE(host.click(optLmp));
    calculate.onClick = [this] { host.callDirectly(optUs, Event::Click); };
    EventTrace trace(host);
    ASSERT_FALSE(host.click(calculate));
    // The handler's own first step selects OptUS, which raises its Click once more, nested.
    const std::string& text = trace.text();
    const std::string opening = R"(> ComCalcEDD.Click
  > OptUS.Click (direct call)
    OptLMP.Value = False
    OptUS.Value = True
    > OptUS.Click
      OptUS.Value = True
      DDLSDateM.Text = "January"
      > DDLSDateM.Click
)";
    EXPECT_EQ(text.substr(0, opening.size()), opening);
    EXPECT_TRUE(text.ends_with(R"(    < OptUS.Click
    DDLSDateM.Text = "January"
    FrameDate.Caption = "Date of Ultrasound scan"
  < OptUS.Click
< ComCalcEDD.Click
)"));
}

TEST_F(WidgetHostTest, SetFocusRecordsTheFocusedList) {
    EXPECT_EQ(host.focus(), nullptr);
    EventTrace trace(host);
    month.setFocus();
    EXPECT_EQ(host.focus(), &month);
    EXPECT_EQ(trace.text(), "DDLSDateM.SetFocus\n");
    frameDate.setVisible(false);
    EXPECT_THROW(day.setFocus(), RuntimeError);
    EXPECT_EQ(host.focus(), &month);
}

// Observers hear of every change in order, with the widget already changed.
TEST_F(WidgetHostTest, ObserversSeeEachChangeAsItHappens) {
    struct Recorder : HostObserver {
        std::vector<std::string> seen;
        void widgetChanged(const Widget& widget, WidgetChange change) override {
            if (change == WidgetChange::Value)
                seen.push_back(widget.name() + "=" +
                               (static_cast<const OptionButton&>(widget).value() ? "on" : "off"));
        }
    } recorder;
    host.addObserver(recorder);
    ASSERT_FALSE(host.click(optYes));
    ASSERT_FALSE(host.click(optNo));
    host.removeObserver(recorder);
    ASSERT_FALSE(host.click(optYes));
    EXPECT_EQ(recorder.seen, (std::vector<std::string>{"OptYes=on", "OptYes=off", "OptNo=on"}));
}

TEST_F(WidgetHostTest, TraceNotesAppearAtTheCurrentDepth) {
    EventTrace trace(host);
    optLmp.onClick = [&] { trace.note("Tick3 = 0"); };
    ASSERT_FALSE(host.click(optLmp));
    EXPECT_EQ(trace.text(), "OptLMP.Value = True\n> OptLMP.Click\n  Tick3 = 0\n< OptLMP.Click\n");
}

} // namespace
} // namespace ruvo
