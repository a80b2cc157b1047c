#include "hosting/qt/focus_ring.h"

#include <QPainter>

namespace ruvo {

FocusRing::FocusRing(QWidget* surface) : QWidget(surface) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    hide();
}

void FocusRing::ring(QWidget* target, const QColor& color) {
    m_target = target;
    m_color = color;
    if (!target || !target->isVisible()) {
        hide();
        return;
    }
    const QRect inside(target->mapTo(parentWidget(), QPoint(0, 0)), target->size());
    setGeometry(inside.adjusted(-width, -width, width, width));
    // Only the ring covers anything: the view inside it takes its own paint and input.
    setMask(QRegion(rect()).subtracted(QRegion(rect().adjusted(width, width, -width, -width))));
    raise();
    show();
    update();
}

void FocusRing::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), m_color);
}

} // namespace ruvo
