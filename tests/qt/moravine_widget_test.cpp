#include "hosting/qt/moravine_widget.h"

#include "apps/moravine-demo/screen_actions.h"
#include "control/core/surface_colors.h"
#include "dating/date_text.h"
#include "host/event_trace.h"
#include "hosting/qt/qt_colors.h"
#include "hosting/view/colors.h"
#include "view_checks.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QStyleOptionButton>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <string>
#include <thread>

namespace ruvo {
namespace {

// A shown control driven through its real Qt widgets.
class MoravineWidgetTest : public ::testing::Test {
  protected:
    MoravineWidgetTest() {
        view.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&view));
        activate();
    }

    // Keys and the focus need the control's window active; a list's popup takes that away on
    // the offscreen platform.
    void activate() {
        view.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&view));
    }

    void click(const Widget& model) { expectDone(screen.click(const_cast<Widget&>(model))); }
    void pick(const Widget& model, const char* item) {
        expectDone(screen.pick(const_cast<Widget&>(model), item));
    }
    void expectDone(const std::optional<RuntimeError>& error) {
        EXPECT_FALSE(error) << error->what();
    }
    void expectMirrored() {
        const auto mismatches = testing::viewMismatches(view);
        EXPECT_TRUE(mismatches.empty())
            << mismatches.size() << " mismatches, the first: " << mismatches.front();
    }
    // A scan on 6 April 2006 with a crown rump length of 45 mm, through the screen.
    void scanWithCrownRumpLength45() {
        click(s.OptCRL);
        pick(s.DDVal, "45");
        pick(s.DDLSDateM, "April");
        pick(s.DDLSDateD, "6");
        pick(s.DDLSDateY, "2006");
    }
    QString shownText(const Widget& model) {
        return view.findChild<QLabel*>(QString::fromStdString(model.name()))->text();
    }

    FixedClock clock{parseDate("7 December 2006")};
    MoravineWidget view{clock};
    Surface& s = view.control().surface;
    ScreenActions screen{view};
};

TEST_F(MoravineWidgetTest, MirrorsTheModelAfterStartUp) {
    EXPECT_EQ(view.size(), QSize(654, 406)); // a 9-point host font, 9/8 of the design's size
    expectMirrored();
    auto* calculate = view.findChild<QPushButton*>("ComCalcEDD");
    EXPECT_EQ(calculate->geometry(), QRect(495, 225, 145, 28));
    EXPECT_EQ(calculate->text(), "Calculate EDD");
    auto* value = view.findChild<QComboBox*>("DDVal");
    EXPECT_EQ(value->palette().color(QPalette::Button), QColor(255, 224, 192));
    auto* weeks = view.findChild<QComboBox*>("DDUSW");
    EXPECT_FALSE(weeks->isEnabled());
    EXPECT_EQ(weeks->palette().color(QPalette::Button).rgb(),
              view.palette().color(QPalette::Midlight).rgb());
    auto* edd = view.findChild<QLabel*>("LabEDD");
    EXPECT_EQ(edd->palette().color(QPalette::WindowText), QColor(192, 0, 0));
    EXPECT_EQ(edd->frameShape(), QFrame::Box);
    EXPECT_FALSE(view.findChild<QLabel*>("Picture1")->pixmap().isNull());
}

TEST_F(MoravineWidgetTest, MirrorsTheModelAfterEveryKindOfTransition) {
    click(s.OptDG);
    expectMirrored();
    EXPECT_EQ(view.findChild<QComboBox*>("DDVal")->palette().color(QPalette::Button).rgb(),
              view.palette().color(QPalette::Midlight).rgb());
    click(s.OptLMP);
    expectMirrored();
    click(s.OptUS);
    click(s.OptHC);
    expectMirrored();
    pick(s.DDLSDateM, "February");
    expectMirrored();
    click(s.ComCalcEDD);
    expectMirrored();
    click(s.OptYes);
    expectMirrored();
    EXPECT_TRUE(view.findChild<QComboBox*>("DDDOBDateM")->hasFocus());
    click(s.ComCalcGest);
    expectMirrored();
    click(s.OptNo);
    expectMirrored();
    click(s.ComRestart);
    expectMirrored();
}

TEST_F(MoravineWidgetTest, DueDatesThroughTheScreen) {
    struct Example {
        const Widget* option;
        const char* value;
        const char *day, *month, *year, *edd;
    };
    const Example examples[] = {
        {&s.OptLMP, nullptr, "1", "January", "2006", "8 October 2006"},
        {&s.OptLMP, nullptr, "1", "June", "2007", "7 March 2008"},
        {&s.OptCRL, "45", "6", "April", "2006", "26 October 2006"},
        {&s.OptBPD, "40", "6", "April", "2006", "10 September 2006"},
        {&s.OptHC, "150", "6", "April", "2006", "6 September 2006"},
    };
    for (const Example& example : examples) {
        SCOPED_TRACE(example.edd);
        click(s.ComRestart);
        click(*example.option);
        if (example.value)
            pick(s.DDVal, example.value);
        pick(s.DDLSDateM, example.month);
        pick(s.DDLSDateD, example.day);
        pick(s.DDLSDateY, example.year);
        click(s.ComCalcEDD);
        EXPECT_EQ(shownText(s.LabEDD), example.edd);
    }
    click(s.ComRestart);
    click(s.OptDG);
    pick(s.DDUSW, "12");
    pick(s.DDUSD, "3");
    pick(s.DDLSDateM, "April");
    pick(s.DDLSDateD, "6");
    pick(s.DDLSDateY, "2006");
    click(s.ComCalcEDD);
    EXPECT_EQ(shownText(s.LabEDD), "16 October 2006");
}

TEST_F(MoravineWidgetTest, GestationsAtBirthThroughTheScreen) {
    scanWithCrownRumpLength45();
    click(s.ComCalcEDD);
    click(s.OptYes);
    const char* births[][4] = {{"20", "October", "2006", "39 weeks 1 days"},
                               {"26", "October", "2006", "40 weeks 0 days"},
                               {"2", "November", "2006", "41 weeks 0 days"},
                               {"1", "June", "2006", "19 weeks 0 days"}};
    for (const auto& birth : births) {
        pick(s.DDDOBDateM, birth[1]);
        pick(s.DDDOBDateD, birth[0]);
        pick(s.DDDOBDateY, birth[2]);
        click(s.ComCalcGest);
        EXPECT_EQ(shownText(s.LabGest), birth[3]);
    }
}

TEST_F(MoravineWidgetTest, AnErrorReachesTheHostAsASignalAndTheControlGoesOn) {
    QSignalSpy errors(&view, &MoravineWidget::runtimeError);
    click(s.ComCalcEDD);
    click(s.OptYes);
    pick(s.DDDOBDateY, "1980");
    const auto error = screen.click(s.ComCalcGest);
    ASSERT_TRUE(error);
    ASSERT_EQ(errors.count(), 1);
    EXPECT_EQ(errors.first().first().toString(),
              "date of birth is before the start of the pregnancy");
    pick(s.DDDOBDateY, "2000");
    click(s.ComCalcGest);
    EXPECT_EQ(shownText(s.LabGest), "40 weeks 0 days");
}

// The view applies the model's changes without raising events of its own.
TEST_F(MoravineWidgetTest, APickThroughQtTracesExactlyAsTheHeadlessPick) {
    EventTrace screenTrace(view.control().host);
    pick(s.DDLSDateM, "April");

    Moravine headless(clock);
    ASSERT_FALSE(headless.initialize());
    EventTrace headlessTrace(headless.host);
    ASSERT_FALSE(headless.host.pick(headless.surface.DDLSDateM, "April"));
    EXPECT_EQ(screenTrace.text(), headlessTrace.text());
    EXPECT_NE(screenTrace.text().find("> DDLSDateD.Click"), std::string::npos);
}

TEST_F(MoravineWidgetTest, ARadioButtonNeverChangesItsOwnSelection) {
    auto* us = view.findChild<QAbstractButton*>("OptUS");
    click(s.OptUS); // already selected: nothing happens, and it stays checked
    EXPECT_TRUE(us->isChecked());
    click(s.OptLMP);
    EXPECT_FALSE(us->isChecked());
    EXPECT_TRUE(view.findChild<QAbstractButton*>("OptLMP")->isChecked());
}

TEST_F(MoravineWidgetTest, ListsAreNamedForScreenReaders) {
    EXPECT_EQ(view.findChild<QComboBox*>("DDLSDateM")->accessibleName(),
              "Date of Ultrasound scan, Month");
    click(s.OptLMP);
    EXPECT_EQ(view.findChild<QComboBox*>("DDLSDateM")->accessibleName(), "Date of LMP, Month");
    EXPECT_EQ(view.findChild<QComboBox*>("DDVal")->accessibleName(), "Biparietal diameter, mm");
    EXPECT_EQ(view.findChild<QComboBox*>("DDUSW")->accessibleName(), "Scan data, Weeks");
}

QAccessibleInterface* accessibleOf(MoravineWidget& view, const char* name) {
    return QAccessible::queryAccessibleInterface(view.findChild<QWidget*>(name));
}

// What a screen reader is told, through Qt's accessibility: radio buttons in their groups, lists
// named by frame and label whatever item they show, and the results as read-only text.
TEST_F(MoravineWidgetTest, ScreenReadersHearRadioButtonsNamedListsAndResultText) {
    for (const char* name :
         {"OptLMP", "OptUS", "OptCRL", "OptBPD", "OptHC", "OptDG", "OptFB", "OptYes", "OptNo"})
        EXPECT_EQ(accessibleOf(view, name)->role(), QAccessible::RadioButton) << name;
    QAccessibleInterface* us = accessibleOf(view, "OptUS");
    EXPECT_TRUE(us->state().checkable);
    EXPECT_TRUE(us->state().checked);
    EXPECT_FALSE(accessibleOf(view, "OptLMP")->state().checked);
    EXPECT_EQ(accessibleOf(view, "OptYes")->text(QAccessible::Description),
              "Calculate length of gestation at birth?");

    QAccessibleInterface* month = accessibleOf(view, "DDLSDateM");
    EXPECT_EQ(month->role(), QAccessible::ComboBox);
    EXPECT_EQ(month->text(QAccessible::Name), "Date of Ultrasound scan, Month");
    pick(s.DDLSDateM, "April");
    EXPECT_EQ(month->text(QAccessible::Name), "Date of Ultrasound scan, Month");
    EXPECT_EQ(month->text(QAccessible::Value), "April");
    EXPECT_EQ(accessibleOf(view, "DDVal")->text(QAccessible::Name), "Biparietal diameter, mm");
    EXPECT_EQ(accessibleOf(view, "DDDOBDateD")->text(QAccessible::Name), "Date of birth, Day");

    // Pressing through the accessibility action is a user's click: the control selects.
    accessibleOf(view, "OptLMP")
        ->actionInterface()
        ->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_TRUE(s.OptLMP.value());
    EXPECT_TRUE(accessibleOf(view, "OptLMP")->state().checked);
    EXPECT_EQ(month->text(QAccessible::Name), "Date of LMP, Month");

    QAccessibleInterface* edd = accessibleOf(view, "LabEDD");
    EXPECT_EQ(edd->role(), QAccessible::EditableText);
    EXPECT_TRUE(edd->state().readOnly);
    EXPECT_FALSE(edd->state().editable);
    EXPECT_TRUE(edd->state().focusable);
    EXPECT_EQ(edd->text(QAccessible::Name), "EDD");
}

// A list's current item and a result's text read through the text interface, as a screen reader
// reads them again. (Their announcements travel only through a platform's bridge: the AT-SPI
// check hears them.)
TEST_F(MoravineWidgetTest, ListsAndResultsReadAsText) {
    QAccessibleTextInterface* month = accessibleOf(view, "DDLSDateM")->textInterface();
    ASSERT_TRUE(month);
    EXPECT_EQ(month->text(0, month->characterCount()), "January");
    scanWithCrownRumpLength45();
    EXPECT_EQ(month->text(0, month->characterCount()), "April");
    EXPECT_EQ(accessibleOf(view, "DDLSDateM")->text(QAccessible::Name),
              "Date of Ultrasound scan, Month");

    click(s.ComCalcEDD);
    QAccessibleTextInterface* text = accessibleOf(view, "LabEDD")->textInterface();
    ASSERT_TRUE(text);
    EXPECT_EQ(text->characterCount(), 15);
    EXPECT_EQ(text->text(0, text->characterCount()), "26 October 2006");
    EXPECT_EQ(text->text(3, 10), "October");
}

// While its prompt blanks the caption, "Yes" still takes a click anywhere in its box.
TEST_F(MoravineWidgetTest, AClickOnBlankYesSelectsIt) {
    scanWithCrownRumpLength45();
    click(s.ComCalcEDD);
    while (!s.OptYes.caption().empty())
        expectDone(view.control().host.tick(s.Timer1));
    auto* yes = view.findChild<QAbstractButton*>("OptYes");
    QTest::mouseClick(yes, Qt::LeftButton, {}, QPoint(yes->width() - 3, yes->height() / 2));
    EXPECT_TRUE(s.OptYes.value());
    EXPECT_TRUE(yes->isChecked());
}

// The screen actions send their clicks as Qt's own events, not the window system's, for which
// QApplication would move the focus itself: they leave it where a click through Qt Test does.
TEST(ScreenActionsFocus, AClickLeavesTheFocusWhereAQtTestClickDoes) {
    FixedClock clock(parseDate("7 December 2006"));
    // Clicks the named button of a fresh, active control; the name of the widget with the focus.
    const auto focusAfter = [&](const char* name, bool throughScreenActions) {
        MoravineWidget view(clock);
        view.show();
        view.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&view));
        auto* button = view.findChild<QAbstractButton*>(name);
        if (throughScreenActions) {
            const Widget* model = view.modelOf(button);
            EXPECT_FALSE(ScreenActions(view).click(const_cast<Widget&>(*model)));
        } else if (auto* radio = qobject_cast<QRadioButton*>(button)) {
            QStyleOptionButton option;
            option.initFrom(radio);
            QTest::mouseClick(radio, Qt::LeftButton, {},
                              radio->style()
                                  ->subElementRect(QStyle::SE_RadioButtonIndicator, &option, radio)
                                  .center());
        } else {
            QTest::mouseClick(button, Qt::LeftButton);
        }
        const QWidget* focused = QApplication::focusWidget();
        return focused ? focused->objectName().toStdString() : std::string("(none)");
    };
    for (const char* name : {"OptHC", "OptDG", "OptLMP", "ComCalcEDD", "ComRestart"})
        EXPECT_EQ(focusAfter(name, true), focusAfter(name, false)) << name;
}

// Tab to "Calculate EDD" after a change: its prompt never blinks the focused button away but runs
// to its end at once, so the keys keep working; Enter presses it and the focus goes to the EDD.
TEST_F(MoravineWidgetTest, APromptNeverBlinksAwayTheFocusedButton) {
    scanWithCrownRumpLength45();
    activate();
    auto* calculate = view.findChild<QPushButton*>("ComCalcEDD");
    calculate->setFocus(Qt::TabFocusReason);
    expectDone(screen.tick(s.Timer3));
    EXPECT_TRUE(s.ComCalcEDD.visible());
    EXPECT_FALSE(s.Timer3.enabled());
    EXPECT_EQ(QApplication::focusWidget(), calculate);
    QTest::keyClick(calculate, Qt::Key_Return);
    EXPECT_EQ(shownText(s.LabEDD), "26 October 2006");
    EXPECT_EQ(QApplication::focusWidget()->objectName(), "LabEDD");
}

// The host's loop stalls while "Calculate EDD" blinks, past the tick that would hide it: the click
// on the button as the user saw it still calculates, and the late tick runs after it.
TEST(MoravineWidgetInABusyHost, AClickAfterAStalledLoopActsOnTheButtonAsShown) {
    FixedClock clock(parseDate("7 December 2006"));
    MoravineWidget view(clock, nullptr, std::chrono::milliseconds(20));
    view.show();
    view.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&view));
    Surface& s = view.control().surface;
    // The start-up prompts end first, so that no tick is due at the pick.
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return !s.Timer1.enabled() && !s.Timer2.enabled() && !s.Timer3.enabled(); }));
    QSignalSpy errors(&view, &MoravineWidget::runtimeError);
    auto* list = view.findChild<QComboBox*>("DDVal");
    list->setFocus(Qt::TabFocusReason);
    QTest::keyClick(list, Qt::Key_Down); // a pick: "Calculate EDD" starts to blink
    ASSERT_TRUE(s.Timer3.enabled() && s.ComCalcEDD.visible());
    std::this_thread::sleep_for(std::chrono::milliseconds(60));
    QTest::mouseClick(view.findChild<QPushButton*>("ComCalcEDD"), Qt::LeftButton);
    EXPECT_EQ(errors.count(), 0) << errors.value(0).value(0).toString().toStdString();
    EXPECT_FALSE(view.findChild<QLabel*>("LabEDD")->text().isEmpty());
    EXPECT_TRUE(view.edd().isValid());
}

// Whatever the style draws, the focused view has a ring that stands out by 3:1 from the surface
// around it; the focus on the surface itself shows none.
TEST_F(MoravineWidgetTest, TheFocusedViewHasARingThatStandsOutFromItsSurroundings) {
    const auto rgbAt = [](const QImage& shot, QPoint at) { return rgbOf(shot.pixelColor(at)); };
    auto* list = view.findChild<QComboBox*>("DDLSDateM");
    const QPoint left = list->mapTo(&view, QPoint(0, list->height() / 2));
    list->setFocus(Qt::TabFocusReason);
    QImage shot = view.grab().toImage();
    const view::Rgb around = rgbAt(shot, left - QPoint(5, 0));
    EXPECT_GE(view::contrastRatio(rgbAt(shot, left - QPoint(1, 0)), around),
              view::minimumFocusContrast);
    view.setFocus(Qt::OtherFocusReason);
    shot = view.grab().toImage();
    EXPECT_EQ(rgbAt(shot, left - QPoint(1, 0)), around);
}

// The host says the user asks for reduced motion: a change's prompt ends at once, unblinking.
TEST_F(MoravineWidgetTest, UnderReducedMotionAPromptEndsAtOnce) {
    view.setProperty("reducedMotion", true);
    pick(s.DDVal, "45");
    EXPECT_FALSE(s.Timer3.enabled());
    EXPECT_TRUE(view.findChild<QPushButton*>("ComCalcEDD")->isVisible());
}

TEST_F(MoravineWidgetTest, ArrowsSelectWithinAnOptionGroupAndSpacePressesAButton) {
    auto* bpd = view.findChild<QAbstractButton*>("OptBPD");
    bpd->setFocus(Qt::TabFocusReason);
    QTest::keyClick(bpd, Qt::Key_Down);
    EXPECT_TRUE(s.OptHC.value());
    EXPECT_EQ(s.DDVal.text(), "135");
    EXPECT_EQ(QApplication::focusWidget()->objectName(), "OptHC");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down); // round to the first
    EXPECT_TRUE(s.OptCRL.value());
    auto* restart = view.findChild<QPushButton*>("ComRestart");
    restart->setFocus(Qt::TabFocusReason);
    click(s.OptLMP);
    QTest::keyClick(restart, Qt::Key_Space);
    EXPECT_TRUE(s.OptUS.value());
}

// The resources of the record fhirRecord gives, in its order.
QJsonArray recordResources(const MoravineWidget& view, const QString& subject = {}) {
    QJsonArray resources;
    for (const QJsonValue entry :
         QJsonDocument::fromJson(view.fhirRecord(subject))["entry"].toArray())
        resources.append(entry["resource"]);
    return resources;
}

TEST_F(MoravineWidgetTest, TheHostSeesTheResultsAsProperties) {
    QSignalSpy eddChanges(&view, &MoravineWidget::eddChanged);
    QSignalSpy gestationChanges(&view, &MoravineWidget::gestationAtBirthChanged);
    EXPECT_TRUE(view.property("edd").toDate().isNull());
    EXPECT_EQ(view.property("gestationAtBirthDays").toInt(), -1);
    EXPECT_EQ(view.gestationOnDays(QDate(2006, 9, 4)), -1);
    EXPECT_TRUE(view.fhirRecord().isEmpty());
    scanWithCrownRumpLength45();
    click(s.ComCalcEDD);
    EXPECT_EQ(eddChanges.count(), 1);
    EXPECT_EQ(view.property("edd").toDate(), QDate(2006, 10, 26));
    EXPECT_EQ(view.property("eddMethod").toString(), "crl");
    // The record's EDD is the day on view, calculated on the clock's today.
    const QJsonArray dating = recordResources(view, "Patient/123");
    ASSERT_EQ(dating.size(), 2);
    EXPECT_EQ(dating[0]["valueDateTime"].toString(), view.edd().toString(Qt::ISODate));
    EXPECT_EQ(dating[0]["effectiveDateTime"].toString(), "2006-12-07");
    EXPECT_EQ(dating[1]["valueQuantity"]["value"].toInt(), 45);
    EXPECT_EQ(dating[1]["subject"]["reference"].toString(), "Patient/123");
    EXPECT_TRUE(view.fhirRecord("Patient 123").isEmpty());
    // A visit's day counts from the EDD on view; the day before the pregnancy's start is none.
    EXPECT_EQ(view.gestationOnDays(QDate(2006, 9, 4)), 228);
    EXPECT_EQ(view.gestationOnDays(QDate(2006, 1, 19)), 0);
    EXPECT_EQ(view.gestationOnDays(QDate(2006, 1, 18)), -1);
    EXPECT_EQ(view.gestationOnDays(QDate()), -1);
    click(s.OptYes);
    pick(s.DDDOBDateD, "20");
    click(s.ComCalcGest);
    EXPECT_EQ(gestationChanges.count(), 1);
    EXPECT_EQ(view.gestationAtBirthDays(), 274);
    const QJsonArray birth = recordResources(view);
    ASSERT_EQ(birth.size(), 3);
    EXPECT_EQ(birth[2]["valueQuantity"]["value"].toInt(), view.gestationAtBirthDays());
    EXPECT_EQ(birth[2]["effectiveDateTime"].toString(), "2006-10-20");
    pick(s.DDVal, "46");
    EXPECT_EQ(eddChanges.count(), 2);
    EXPECT_EQ(gestationChanges.count(), 2);
    EXPECT_TRUE(view.edd().isNull());
    EXPECT_EQ(view.eddMethod(), "");
    EXPECT_TRUE(view.fhirRecord().isEmpty());
}

// In a host that scrolls, the wheel over a closed list that does not have the focus scrolls the
// host and leaves the list and the results alone.
TEST_F(MoravineWidgetTest, TheWheelChangesNoListWithoutTheFocus) {
    auto* value = view.findChild<QComboBox*>("DDVal");
    view.setFocus();
    const QPointF centre = QRectF(value->rect()).center();
    QWheelEvent wheel(centre, value->mapToGlobal(centre), {}, {0, -120}, Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(value, &wheel);
    EXPECT_EQ(value->currentText(), "37");
    EXPECT_EQ(s.DDVal.text(), "37");
}

// A list's BackColor is one flat colour on its edit area and on its drop-down part.
TEST_F(MoravineWidgetTest, ListsAreOneFlatColour) {
    for (const char* name : {"DDLSDateM", "DDVal"}) {
        auto* list = view.findChild<QComboBox*>(name);
        const QImage image = list->grab().toImage();
        const QColor expected = list->palette().color(QPalette::Button);
        for (const QPoint point :
             {QPoint(2, 2), QPoint(2, image.height() - 3), QPoint(image.width() - 3, 2),
              QPoint(image.width() - 3, image.height() - 3)})
            EXPECT_EQ(image.pixelColor(point), expected)
                << name << " at " << point.x() << "," << point.y();
    }
    EXPECT_EQ(view.findChild<QComboBox*>("DDLSDateM")->palette().color(QPalette::Button),
              QColor(255, 192, 192));
}

TEST_F(MoravineWidgetTest, TheTabOrderFollowsTabIndex) {
    QWidget* first = view.findChild<QWidget*>("DDUSD"); // TabIndex 2, the first input
    QWidget* next = first->nextInFocusChain();
    EXPECT_EQ(next->objectName(), "DDUSW");
    EXPECT_EQ(next->nextInFocusChain()->objectName(), "OptFB");
}

TEST_F(MoravineWidgetTest, DateniceEarlyAndLateBound) {
    const QDate date(2006, 10, 26);
    QString late;
    ASSERT_TRUE(QMetaObject::invokeMethod(&view, "datenice", Q_RETURN_ARG(QString, late),
                                          Q_ARG(QDate, date)));
    EXPECT_EQ(late, view.datenice(date));
    EXPECT_EQ(late, "26 October 2006");
    EXPECT_EQ(view.datenice(QDate(2007, 1, 1)), "1 January 2007");
    EXPECT_EQ(view.datenice(QDate()), "");
    EXPECT_EQ(view.datenice(QDate(10000, 1, 1)), "");
}

TEST(MoravineWidgetTimers, APromptBlinksFourTimesAndStops) {
    FixedClock clock(parseDate("7 December 2006"));
    MoravineWidget view(clock, nullptr, std::chrono::milliseconds(10));
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    Surface& s = view.control().surface;
    ASSERT_TRUE(QTest::qWaitFor([&] { return !s.Timer1.enabled() && !s.Timer3.enabled(); }, 5000));

    struct CaptionCounter : HostObserver {
        const Widget* target = nullptr;
        int changes = 0;
        void widgetChanged(const Widget& widget, WidgetChange change) override {
            changes += &widget == target && change == WidgetChange::Caption;
        }
    } counter;
    counter.target = &s.OptYes;
    view.control().host.addObserver(counter);
    ScreenActions screen(view);
    ASSERT_FALSE(screen.click(s.ComCalcEDD));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !s.Timer1.enabled(); }, 5000));
    QTest::qWait(50); // no tick after the fourth
    view.control().host.removeObserver(counter);
    EXPECT_EQ(counter.changes, 4);
    EXPECT_EQ(view.findChild<QAbstractButton*>("OptYes")->text(), "Yes");
    // With no prompt running, the control's one timer sleeps.
    EXPECT_FALSE(view.findChild<QTimer*>("hostTime")->isActive());
}

// Run under the sanitizers, a leak here fails the whole test program at exit.
TEST(MoravineWidgetLifetime, ManyCreateShowDestroyCyclesWithRunningTimers) {
    FixedClock clock(parseDate("7 December 2006"));
    for (int cycle = 0; cycle < 200; ++cycle) {
        auto view = std::make_unique<MoravineWidget>(clock, nullptr, std::chrono::milliseconds(1));
        view->show();
        QTest::qWait(2);
        ASSERT_TRUE(view->findChild<QTimer*>("hostTime")->isActive() ||
                    !view->control().surface.Timer3.enabled());
    }
}

} // namespace
} // namespace ruvo
