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

bool lineFits(const QFontMetrics& metrics, const QString& text, QSize room) {
    return metrics.horizontalAdvance(text) <= room.width() && metrics.height() <= room.height();
}

} // namespace

QSize textRoom(const QWidget& view, QSize box) {
    if (qobject_cast<const QGroupBox*>(&view))
        return box - QSize(titleInset, 0);
    if (auto* radio = qobject_cast<const QRadioButton*>(&view)) {
        const int indicator =
            radio->sizeHint().width() - radio->fontMetrics().horizontalAdvance(radio->text());
        return {box.width() - indicator, box.height()};
    }
    if (qobject_cast<const QPushButton*>(&view))
        return box - QSize(2 * bevel, 2 * bevel);
    if (auto* label = qobject_cast<const QLabel*>(&view))
        return box - QSize(2 * label->frameWidth(), 2 * label->frameWidth());
    if (qobject_cast<const QComboBox*>(&view))
        return {box.width() - CompactStyle::arrowWidth(QRect({}, box)) - 4, box.height() - 2};
    return box;
}

bool textFits(const QWidget& view, QSize box) {
    const QFontMetrics metrics = view.fontMetrics();
    const QSize room = textRoom(view, box);
    if (auto* frame = qobject_cast<const QGroupBox*>(&view))
        return lineFits(metrics, frame->title(), room);
    if (auto* radio = qobject_cast<const QRadioButton*>(&view)) // as Qt's own layout has it
        return radio->sizeHint().width() <= box.width() && metrics.height() <= box.height();
    if (auto* button = qobject_cast<const QPushButton*>(&view))
        return lineFits(metrics, button->text(), room);
    if (auto* label = qobject_cast<const QLabel*>(&view)) {
        if (!label->pixmap().isNull() || label->text().isEmpty())
            return true;
        for (const QString& word : label->text().split(' ')) {
            if (!lineFits(metrics, word, room))
                return false;
        }
        return label->heightForWidth(room.width()) <= room.height();
    }
    if (auto* list = qobject_cast<const QComboBox*>(&view)) {
        for (int i = 0; i < list->count(); ++i) {
            if (!lineFits(metrics, list->itemText(i), room))
                return false;
        }
    }
    return true;
}

} // namespace ruvo
