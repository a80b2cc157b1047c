#pragma once

#include <QLabel>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

namespace ruvo {

// A result of the control: read-only text that Tab reaches, so a screen reader can read it again,
// with a focus rectangle inside its border while it has the focus.
//
// It paints its one line itself and keeps QLabel's focus handling out: for a label that takes the
// focus, Qt builds a text control when it is painted or focused, and that control announces the
// result again, twice, as blanks replaced by it. The control announces each result once.
class ResultLabel final : public QLabel {
  public:
    using QLabel::QLabel;

  protected:
    void focusInEvent(QFocusEvent* event) override { QFrame::focusInEvent(event); }

    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        drawFrame(&painter);
        style()->drawItemText(&painter, contentsRect(), static_cast<int>(alignment()), palette(),
                              isEnabled(), text(), foregroundRole());
        if (!hasFocus())
            return;
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = contentsRect().adjusted(1, 1, -1, -1);
        focus.backgroundColor = palette().color(backgroundRole());
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
};

} // namespace ruvo
