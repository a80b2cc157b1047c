// The control inside a host's window, among the host's own widgets.
#include "dating/date_text.h"
#include "hosting/qt/moravine_widget.h"
#include "hosting/view/tab_order.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <string>

namespace ruvo {
namespace {

std::string text(const QStringList& names) {
    return names.join(' ').toStdString();
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
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

        QStringList expected;
        if (before)
            expected << "before";
        for (const Widget* input : view::tabOrder(control->control().host)) {
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

} // namespace
} // namespace ruvo
