// A Qt host application's first use of the installed control.
#include <hosting/qt/moravine_widget.h>

#include <QApplication>
#include <QDate>

#include <cstdio>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    ruvo::MoravineWidget control;
    control.show();
    const QString text = control.datenice(QDate(2006, 10, 26));
    std::printf("%s\n", qPrintable(text));
    return text == "26 October 2006" ? 0 : 1;
}
