#include "hosting/qt/moravine_widget.h"

#include <QBuffer>
#include <QUiLoader>

#include <gtest/gtest.h>

namespace {

constexpr char form[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<ui version="4.0">
 <class>HostForm</class>
 <widget class="QWidget" name="HostForm">
  <widget class="ruvo::MoravineWidget" name="moravine"/>
 </widget>
</ui>
)";

// A form that holds the control loads through the plugin, as a host's form would.
TEST(DesignerPlugin, AFormWithTheControlLoadsAndAnswersDatenice) {
    QUiLoader loader;
    loader.clearPluginPaths();
    loader.addPluginPath(QStringLiteral(RUVO_DESIGNER_PLUGIN_DIR));
    ASSERT_TRUE(loader.availableWidgets().contains("ruvo::MoravineWidget"))
        << loader.errorString().toStdString();

    QByteArray bytes(form);
    QBuffer buffer(&bytes);
    std::unique_ptr<QWidget> host(loader.load(&buffer));
    ASSERT_TRUE(host) << loader.errorString().toStdString();
    QWidget* control = host->findChild<QWidget*>("moravine");
    ASSERT_TRUE(control);
    EXPECT_STREQ(control->metaObject()->className(), "ruvo::MoravineWidget");

    QString late;
    ASSERT_TRUE(QMetaObject::invokeMethod(control, "datenice", Q_RETURN_ARG(QString, late),
                                          Q_ARG(QDate, QDate(2006, 10, 26))));
    EXPECT_EQ(late, "26 October 2006");
    // It ran its start-up: the measurement list holds the biparietal diameters.
    auto* value = control->findChild<QWidget*>("DDVal");
    ASSERT_TRUE(value);
    EXPECT_EQ(value->property("currentText").toString(), "37");
}

} // namespace
