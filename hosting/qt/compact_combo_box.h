#pragma once

#include <QComboBox>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionComboBox>

namespace ruvo {

// A drop-down list drawn in the control's compact style (see CompactStyle), which must outlive
// it. The style is lent to the painting only: a list whose own style is set builds its popup, a
// list view with its models and delegates, at once instead of when it first opens, which made
// the lists most of the control's cost to a host's window.
class CompactComboBox final : public QComboBox {
  public:
    CompactComboBox(const QStyle& style, QWidget* parent) : QComboBox(parent), m_style(style) {}

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setPen(palette().color(QPalette::Text));
        QStyleOptionComboBox option;
        initStyleOption(&option);
        m_style.drawComplexControl(QStyle::CC_ComboBox, &option, &painter, this);
        m_style.drawControl(QStyle::CE_ComboBoxLabel, &option, &painter, this);
    }

  private:
    const QStyle& m_style;
};

} // namespace ruvo
