#include "apps/moravine-demo/screen_actions.h"

#include "host/timer.h"
#include "hosting/qt/moravine_widget.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QTest>

namespace ruvo {

namespace {

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
        QTest::mouseClick(radio, Qt::LeftButton, {}, indicatorCentre(radio));
    else
        QTest::mouseClick(view, Qt::LeftButton);
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
    QTest::keyClick(list, Qt::Key_Return);
    return m_error;
}

std::optional<RuntimeError> ScreenActions::tick(Widget& widget) {
    if (widget.kind() != WidgetKind::Timer || !widget.enabled())
        return m_view.control().host.tick(widget);
    m_error.reset();
    m_ticked = nullptr;
    const auto wait = static_cast<Timer&>(widget).interval() * 4 + std::chrono::seconds(1);
    if (!QTest::qWaitFor([&] { return m_ticked == &widget; }, static_cast<int>(wait.count())))
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
