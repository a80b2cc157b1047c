#include "hosting/qt/text_fit.h"

#include "hosting/qt/compact_style.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace ruvo {

namespace {

// Room a style keeps around a caption: a frame's title inset, a push button's bevel.
constexpr int titleInset = 12;
constexpr int bevel = 3;

bool lineFits(const QFontMetrics& metrics, const QString& text, QSize box) {
    return metrics.horizontalAdvance(text) <= box.width() && metrics.height() <= box.height();
}

} // namespace

bool textFits(const QWidget& view, QSize box) {
    const QFontMetrics metrics = view.fontMetrics();
    if (auto* frame = qobject_cast<const QGroupBox*>(&view))
        return lineFits(metrics, frame->title(), box - QSize(titleInset, 0));
    if (auto* radio = qobject_cast<const QRadioButton*>(&view))
        return radio->sizeHint().width() <= box.width() && metrics.height() <= box.height();
    if (auto* button = qobject_cast<const QPushButton*>(&view))
        return lineFits(metrics, button->text(), box - QSize(2 * bevel, 2 * bevel));
    if (auto* label = qobject_cast<const QLabel*>(&view)) {
        if (!label->pixmap().isNull() || label->text().isEmpty())
            return true;
        const int frame = label->frameWidth();
        const QSize inside = box - QSize(2 * frame, 2 * frame);
        for (const QString& word : label->text().split(' ')) {
            if (!lineFits(metrics, word, inside))
                return false;
        }
        return label->heightForWidth(inside.width()) <= inside.height();
    }
    if (auto* list = qobject_cast<const QComboBox*>(&view)) {
        const QSize field(box.width() - CompactStyle::arrowWidth(QRect({}, box)) - 4,
                          box.height() - 2);
        for (int i = 0; i < list->count(); ++i) {
            if (!lineFits(metrics, list->itemText(i), field))
                return false;
        }
    }
    return true;
}

} // namespace ruvo
