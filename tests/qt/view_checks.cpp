#include "view_checks.h"

#include "hosting/qt/qt_colors.h"
#include "hosting/qt/text_fit.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>

namespace ruvo::testing {

std::vector<std::string> viewMismatches(MoravineWidget& view) {
    std::vector<std::string> mismatches;
    auto differ = [&](const Widget& model, const char* what) {
        mismatches.push_back(model.name() + " " + what);
    };
    for (const Widget* model : view.control().host.widgets()) {
        if (model->kind() == WidgetKind::UserControl || model->kind() == WidgetKind::Timer)
            continue;
        auto* widget = view.findChild<QWidget*>(QString::fromStdString(model->name()));
        if (!widget) {
            differ(*model, "has no Qt widget");
            continue;
        }
        const view::PixelRect place = view::toPixels(model->geometry(), view.viewScale());
        if (widget->geometry() != QRect(place.left, place.top, place.width, place.height))
            differ(*model, "geometry");
        if (widget->isHidden() == model->visible())
            differ(*model, "visibility");
        if (widget->isEnabledTo(widget->parentWidget()) != model->enabled())
            differ(*model, "enabled state");
        const QString caption = QString::fromStdString(model->caption());
        if (auto* frame = qobject_cast<QGroupBox*>(widget); frame && frame->title() != caption)
            differ(*model, "caption");
        if (auto* label = qobject_cast<QLabel*>(widget);
            label && model->kind() == WidgetKind::Label && label->text() != caption)
            differ(*model, "caption");
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            if (button->text() != caption)
                differ(*model, "caption");
            if (model->kind() == WidgetKind::OptionButton &&
                button->isChecked() != static_cast<const OptionButton*>(model)->value())
                differ(*model, "selection");
        }
        if (auto* list = qobject_cast<QComboBox*>(widget)) {
            const auto& combo = static_cast<const ComboBox&>(*model);
            QStringList items;
            for (const std::string& item : combo.items())
                items << QString::fromStdString(item);
            QStringList shown;
            for (int i = 0; i < list->count(); ++i)
                shown << list->itemText(i);
            if (shown != items)
                differ(*model, "items");
            const int selected =
                combo.selectedIndex() ? static_cast<int>(*combo.selectedIndex()) : -1;
            if (list->currentIndex() != selected)
                differ(*model, "selection");
            if (list->palette().color(QPalette::Button) !=
                toQColor(model->backColor(), view.palette()))
                differ(*model, "colour");
        }
    }
    return mismatches;
}

std::vector<std::string> clippedTexts(MoravineWidget& view) {
    std::vector<std::string> clipped;
    for (const Widget* model : view.control().host.widgets()) {
        auto* widget = view.findChild<QWidget*>(QString::fromStdString(model->name()));
        if (widget && !textFits(*widget, widget->size()))
            clipped.push_back(model->name());
    }
    return clipped;
}

} // namespace ruvo::testing
