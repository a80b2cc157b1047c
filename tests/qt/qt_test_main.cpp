// Runs the Qt tests on Qt's offscreen platform, so they need no display.
#include <QApplication>
#include <QFont>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_LOGGING_RULES", "qt.qpa.*=false");
    QApplication application(argc, argv);
    // The hosts of these tests use one common desktop font, whatever the machine's default.
    QApplication::setFont(QFont(QStringLiteral("Liberation Sans"), 9));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
