#pragma once

#include <QPainter>
#include <QProxyStyle>
#include <QStyleOption>

namespace ruvo {

// The style of the control's inputs: the host's own, made as compact as the surface's layout
// expects. A drop-down list has a narrow arrow and its text field runs from the left edge to it,
// so a year fits a list 49 pixels wide; a radio button's caption sits close to its indicator. A
// list is one flat colour, its own, on the edit area and the drop-down part alike.
class CompactStyle final : public QProxyStyle {
  public:
    using QProxyStyle::QProxyStyle;

    // The drop-down part is as wide as three quarters of the list's height: 15 pixels on a list
    // 21 high in the design font, and in proportion in any other.
    static int arrowWidth(const QRect& list) { return list.height() * 3 / 4; }

    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl part,
                         const QWidget* widget) const override {
        QRect rect = QProxyStyle::subControlRect(control, option, part, widget);
        if (control != CC_ComboBox)
            return rect;
        const int arrowLeft = option->rect.right() - arrowWidth(option->rect);
        if (part == SC_ComboBoxArrow)
            rect.setLeft(arrowLeft);
        else if (part == SC_ComboBoxEditField)
            rect = QRect(QPoint(option->rect.left() + 2, rect.top()),
                         QPoint(arrowLeft - 1, rect.bottom()));
        return rect;
    }

    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget) const override {
        if (control != CC_ComboBox) {
            QProxyStyle::drawComplexControl(control, option, painter, widget);
            return;
        }
        painter->save();
        painter->fillRect(option->rect, option->palette.color(QPalette::Button));
        painter->setPen(option->palette.color(QPalette::Mid));
        painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
        painter->restore();
        QStyleOption arrow = *option;
        arrow.rect =
            subControlRect(CC_ComboBox, option, SC_ComboBoxArrow, widget).adjusted(2, 0, -2, 0);
        proxy()->drawPrimitive(PE_IndicatorArrowDown, &arrow, painter, widget);
        if (option->state & State_HasFocus) {
            QStyleOptionFocusRect focus;
            focus.QStyleOption::operator=(*option);
            focus.rect = subControlRect(CC_ComboBox, option, SC_ComboBoxEditField, widget);
            proxy()->drawPrimitive(PE_FrameFocusRect, &focus, painter, widget);
        }
    }

    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override {
        if (metric == PM_RadioButtonLabelSpacing)
            return 3;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

} // namespace ruvo
