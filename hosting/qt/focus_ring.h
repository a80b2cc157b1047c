#pragma once

#include <QColor>
#include <QPointer>
#include <QWidget>

namespace ruvo {

// A ring 2 pixels wide around the control's focused view, just outside its edges, in a colour
// that stands out by 3:1 from both sides (view::focusRingColor): the style's own focus marks are
// too faint in some schemes to find the focus by. It takes no input and draws nothing else.
class FocusRing final : public QWidget {
  public:
    explicit FocusRing(QWidget* surface);

    // Rings target, a view inside the surface, in color; a null target hides the ring.
    void ring(QWidget* target, const QColor& color);

    static constexpr int width = 2;

  protected:
    void paintEvent(QPaintEvent*) override;

  private:
    QPointer<QWidget> m_target;
    QColor m_color;
};

} // namespace ruvo
