#include "hosting/qt/designer/moravine_designer_plugin.h"

#include "hosting/qt/moravine_widget.h"

#include <QIcon>
#include <QPixmap>

namespace ruvo {

QIcon MoravineDesignerPlugin::icon() const {
    return QIcon(QPixmap(":/ruvo/toolbox.bmp"));
}

QString MoravineDesignerPlugin::whatsThis() const {
    return QStringLiteral("Dates a pregnancy from the last menstrual period or an ultrasound "
                          "scan, and gives the gestation at birth.");
}

QString MoravineDesignerPlugin::domXml() const {
    return QStringLiteral(R"(<ui language="c++">
 <widget class="ruvo::MoravineWidget" name="moravine"/>
</ui>
)");
}

QWidget* MoravineDesignerPlugin::createWidget(QWidget* parent) {
    return new MoravineWidget(parent);
}

} // namespace ruvo
