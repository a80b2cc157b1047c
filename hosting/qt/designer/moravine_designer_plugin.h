#pragma once

#include <QObject>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

namespace ruvo {

// Puts the Moravine control in Qt Designer's widget box. It only describes and creates the
// widget; everything else is the widget's own.
class MoravineDesignerPlugin final : public QObject, public QDesignerCustomWidgetInterface {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "org.qt-project.Qt.QDesignerCustomWidgetInterface")
    Q_INTERFACES(QDesignerCustomWidgetInterface)

  public:
    explicit MoravineDesignerPlugin(QObject* parent = nullptr) : QObject(parent) {}

    QString name() const override { return QStringLiteral("ruvo::MoravineWidget"); }
    QString group() const override { return QStringLiteral("Ruvo"); }
    QIcon icon() const override;
    QString toolTip() const override { return QStringLiteral("Moravine pregnancy dating"); }
    QString whatsThis() const override;
    QString includeFile() const override { return QStringLiteral("hosting/qt/moravine_widget.h"); }
    QString domXml() const override;
    bool isContainer() const override { return false; }
    QWidget* createWidget(QWidget* parent) override;
};

} // namespace ruvo
