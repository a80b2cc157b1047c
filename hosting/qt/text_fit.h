#pragma once

#include <QSize>

class QWidget;

namespace ruvo {

// What of a box of that size a view leaves its text: the box less a frame's title inset, a
// button's indicator or bevel, a label's border, a list's drop-down part.
QSize textRoom(const QWidget& view, QSize box);

// Whether a view's text, in its own font, fits a box of that size, as Qt lays it out: a frame's
// title, every word and every line of a label, a button's caption beside its indicator, a list's
// widest item beside its drop-down part. A view without text always fits.
bool textFits(const QWidget& view, QSize box);

} // namespace ruvo
