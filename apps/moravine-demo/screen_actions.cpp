#include "apps/moravine-demo/screen_actions.h"

#include "host/timer.h"
#include "hosting/qt/moravine_widget.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QTimer>

namespace ruvo {

namespace {

// QApplication gives the focus on a press only for the window system's own events, before it
// delivers them: to the first widget from the one pressed up to its window that takes the focus
// by a click, unless one on the way holds it already. A sent press does the same here.
void focusAsAPressWould(QWidget* pressed, QPoint position) {
    for (QWidget* widget = pressed; widget; widget = widget->parentWidget()) {
        QWidget* proxied = widget;
        while (proxied->focusProxy())
            proxied = proxied->focusProxy();
        if (widget->isEnabled() && widget->rect().contains(position) &&
            (widget->focusPolicy() & Qt::ClickFocus) && (proxied->focusPolicy() & Qt::ClickFocus)) {
            widget->setFocus(Qt::MouseFocusReason);
            return;
        }
        if (widget->isWindow() || proxied->hasFocus())
            return;
        position += widget->pos();
    }
}

// A left-button press and release at a point of the widget, in widget coordinates.
void leftClick(QWidget* widget, QPoint position) {
    const QPointF local(position);
    const QPointF global(widget->mapToGlobal(position));
    focusAsAPressWould(widget, position);
    QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &release);
}

// A key pressed and released on the widget, with the text the key types.
void keyClick(QWidget* widget, Qt::Key key, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(widget, &release);
}

// Where a user clicks a radio button: on its indicator, which a blank caption leaves as the
// only part that takes the click.
QPoint indicatorCentre(QRadioButton* button) {
    QStyleOptionButton option;
    option.initFrom(button);
    return button->style()
        ->subElementRect(QStyle::SE_RadioButtonIndicator, &option, button)
        .center();
}

} // namespace

bool processEventsUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
    if (done())
        return true;
    const QDeadlineTimer deadline(timeout);
    QEventLoop loop;
    QTimer check;
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        if (done() || deadline.hasExpired())
            loop.quit();
    });
    check.start(10);
    loop.exec();
    return done();
}

ScreenActions::ScreenActions(MoravineWidget& view) : m_view(view) {
    m_view.control().host.addObserver(*this);
}

ScreenActions::~ScreenActions() {
    m_view.control().host.removeObserver(*this);
}

std::optional<RuntimeError> ScreenActions::click(Widget& widget) {
    auto* view = m_view.findChild<QAbstractButton*>(QString::fromStdString(widget.name()));
    if (!view || !widget.canTakeInput())
        return m_view.control().host.click(widget);
    m_error.reset();
    if (auto* radio = qobject_cast<QRadioButton*>(view))
        leftClick(radio, indicatorCentre(radio));
    else
        leftClick(view, view->rect().center());
    return m_error;
}

std::optional<RuntimeError> ScreenActions::pick(Widget& widget, std::string_view item) {
    auto* view = m_view.findChild<QComboBox*>(QString::fromStdString(widget.name()));
    const int row =
        view ? view->findText(QString::fromUtf8(item.data(), static_cast<qsizetype>(item.size())),
                              Qt::MatchExactly)
             : -1;
    if (!view || !widget.canTakeInput() || row < 0)
        return m_view.control().host.pick(widget, item);
    m_error.reset();
    view->showPopup();
    QAbstractItemView* list = view->view();
    list->setCurrentIndex(view->model()->index(row, 0));
    keyClick(list, Qt::Key_Return, QStringLiteral("\r"));
    return m_error;
}

std::optional<RuntimeError> ScreenActions::tick(Widget& widget) {
    if (widget.kind() != WidgetKind::Timer || !widget.enabled())
        return m_view.control().host.tick(widget);
    m_error.reset();
    m_ticked = nullptr;
    const auto wait = static_cast<Timer&>(widget).interval() * 4 + std::chrono::seconds(1);
    if (!processEventsUntil([&] { return m_ticked == &widget; },
                            std::chrono::duration_cast<std::chrono::milliseconds>(wait)))
        return RuntimeError(ErrorKind::InvalidWidgetUse, widget.name() + " did not tick");
    return m_error;
}

void ScreenActions::handlerStarted(const Widget& widget, Event event, Invocation) {
    if (event == Event::Timer)
        m_ticked = &widget;
}

void ScreenActions::handlerFinished(const Widget&, Event, Invocation, const RuntimeError* error) {
    if (error && m_view.control().host.depth() == 0)
        m_error = *error;
}

} // namespace ruvo
