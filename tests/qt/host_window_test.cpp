// The control inside a host's window: among the host's own widgets, and in the host's font.
#include "apps/moravine-demo/screen_actions.h"
#include "dating/date_text.h"
#include "hosting/qt/moravine_widget.h"
#include "hosting/view/tab_order.h"
#include "view_checks.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace ruvo {
namespace {

std::string text(const QStringList& names) {
    return names.join(' ').toStdString();
}

// Shows a host's window and makes it active, as keys and the focus need.
void showActive(QWidget& window) {
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
}

enum class HostWidgets { AfterTheControl, AroundTheControl, AroundTheControlInALayout };

// Tab reaches the control where it sits among the host's widgets, visits its inputs and results in
// their own order, and leaves for the host's next widget; Shift+Tab walks the same way back.
TEST(MoravineWidgetInAHost, TabEntersAndLeavesTheControlWhereItSits) {
    FixedClock clock(parseDate("7 December 2006"));
    for (HostWidgets layout : {HostWidgets::AfterTheControl, HostWidgets::AroundTheControl,
                               HostWidgets::AroundTheControlInALayout}) {
        QWidget window;
        QLineEdit* before = nullptr;
        MoravineWidget* control = nullptr;
        if (layout == HostWidgets::AroundTheControlInALayout) {
            // Made first and put in place later, as a form built in code often does.
            control = new MoravineWidget(clock);
            before = new QLineEdit;
            auto* rows = new QVBoxLayout(&window);
            rows->addWidget(before);
            rows->addWidget(control);
        } else {
            if (layout == HostWidgets::AroundTheControl)
                before = new QLineEdit(&window);
            control = new MoravineWidget(clock, &window);
        }
        auto* after = new QLineEdit(&window);
        after->setObjectName("after");
        if (before)
            before->setObjectName("before");
        showActive(window);

        QStringList expected;
        if (before)
            expected << "before";
        for (const Widget* input : view::tabOrderByGroup(control->control().host)) {
            if (input->canTakeInput())
                expected << QString::fromStdString(input->name());
        }
        expected << "after";

        // A window shown gives the focus to its first stop, and Tab goes round them all.
        ASSERT_TRUE(QApplication::focusWidget());
        QStringList visited{QApplication::focusWidget()->objectName()};
        for (qsizetype step = 0; step < expected.size(); ++step) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget()->objectName();
        }
        EXPECT_EQ(text(visited), text(expected + QStringList{expected.front()}))
            << static_cast<int>(layout);

        // From the first stop, Shift+Tab goes round the other way.
        QStringList back;
        for (qsizetype step = 0; step < expected.size(); ++step) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
            back.prepend(QApplication::focusWidget()->objectName());
        }
        EXPECT_EQ(text(back), text(expected)) << static_cast<int>(layout);
    }
}

// The focus rule moves the focus only within the control: a prompt that blinks away the button the
// user last had never takes the focus back from the host's widget the user has gone on to.
TEST(MoravineWidgetInAHost, ThePromptsNeverTakeTheFocusFromTheHost) {
    FixedClock clock(parseDate("7 December 2006"));
    QWidget window;
    auto* control = new MoravineWidget(clock, &window, std::chrono::milliseconds(20));
    auto* notes = new QLineEdit(&window);
    showActive(window);
    Surface& s = control->control().surface;
    auto* calculate = control->findChild<QWidget*>("ComCalcEDD");
    auto* values = control->findChild<QWidget*>("DDVal");
    values->setFocus(Qt::TabFocusReason);
    QTest::keyClick(values, Qt::Key_Down); // a change: the "Calculate EDD" prompt runs
    ASSERT_TRUE(s.Timer3.enabled());
    calculate->setFocus(Qt::TabFocusReason);
    notes->setFocus(Qt::MouseFocusReason);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !s.ComCalcEDD.visible(); }, 5000));
    EXPECT_EQ(QApplication::focusWidget(), notes);
    ASSERT_TRUE(QTest::qWaitFor([&] { return s.ComCalcEDD.visible(); }, 5000));
    EXPECT_EQ(QApplication::focusWidget(), notes);
}

// When "Calculate EDD" hides itself, no input holds the focus even for a moment: a screen reader
// would announce it, and a key could reach it.
TEST(MoravineWidgetFocus, NoInputHoldsTheFocusEvenBrieflyWhenAButtonHidesItself) {
    FixedClock clock(parseDate("7 December 2006"));
    MoravineWidget view(clock);
    showActive(view);
    Surface& s = view.control().surface;
    ScreenActions screen(view);
    EXPECT_FALSE(screen.click(s.OptCRL));
    EXPECT_FALSE(screen.pick(s.DDVal, "45"));
    view.activateWindow(); // a list's popup took the window's activation
    ASSERT_TRUE(QTest::qWaitForWindowActive(&view));
    while (s.Timer3.enabled())
        EXPECT_FALSE(view.control().host.tick(s.Timer3));
    auto* calculate = view.findChild<QWidget*>("ComCalcEDD");
    calculate->setFocus(Qt::TabFocusReason);

    QStringList focused;
    QObject::connect(qApp, &QApplication::focusChanged, &view, [&](QWidget*, QWidget* now) {
        const Widget* model = now ? view.modelOf(now) : nullptr;
        if (model && model->kind() != WidgetKind::UserControl)
            focused << now->objectName();
    });
    QTest::keyClick(calculate, Qt::Key_Return);
    EXPECT_EQ(text(focused), "LabEDD");
    EXPECT_EQ(QApplication::focusWidget()->objectName(), "LabEDD");
}

// A host's window opens without the lists' popups, each a list view with its models: a list builds
// its own when it first opens, and it shows the list's items.
TEST(MoravineWidgetInAHost, AListBuildsItsPopupOnlyWhenItFirstOpens) {
    FixedClock clock(parseDate("7 December 2006"));
    MoravineWidget view(clock);
    showActive(view);
    EXPECT_TRUE(view.findChildren<QAbstractItemView*>().empty());

    auto* month = view.findChild<QComboBox*>("DDLSDateM");
    month->showPopup();
    const auto popups = view.findChildren<QAbstractItemView*>();
    ASSERT_EQ(popups.size(), 1);
    EXPECT_TRUE(popups.front()->isVisible());
    EXPECT_EQ(popups.front()->model()->rowCount(), 12);
    month->hidePopup();
}

// The control takes its host's font, and its whole surface grows with it, nothing clipped.
TEST(MoravineWidgetFonts, TheSurfaceFollowsTheHostFontWithNothingClipped) {
    FixedClock clock(parseDate("7 December 2006"));
    QWidget host;
    MoravineWidget view(clock, &host);
    showActive(host);
    for (const QString& family : {QString("DejaVu Sans"), QString("Liberation Sans")}) {
        for (double points : {8.0, 9.0, 12.0, 16.0}) {
            QFont font(family);
            font.setPointSizeF(points);
            host.setFont(font);
            EXPECT_EQ(view.font().family(), family);
            const view::PixelRect surface = view::toPixels(moravineGeometry, view.viewScale());
            EXPECT_EQ(view.size(), QSize(surface.width, surface.height)) << points;
            EXPECT_GE(view.width(), std::floor(581 * points / 8 * view.logicalDpiY() / 96));
            EXPECT_TRUE(testing::viewMismatches(view).empty());
            const auto clipped = testing::clippedTexts(view);
            EXPECT_TRUE(clipped.empty())
                << family.toStdString() << " " << points << " pt: " << clipped.front();
        }
    }
    // A font as narrow as the design's needs no more than its own scale: twice the design's size.
    EXPECT_EQ(view.size(), QSize(1162, 722));
}

} // namespace
} // namespace ruvo
