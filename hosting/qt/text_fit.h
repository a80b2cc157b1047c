#pragma once

#include <QSize>

class QWidget;

namespace ruvo {

// Whether a view's text, in its own font, fits a box of that size: a frame's title, every word
// and every line of a label, a button's caption beside its indicator, a list's widest item beside
// its drop-down part. A view without text always fits.
bool textFits(const QWidget& view, QSize box);

} // namespace ruvo
