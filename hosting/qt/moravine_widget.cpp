#include "hosting/qt/moravine_widget.h"

#include "dating/date_text.h"
#include "host/temporary_change.h"
#include "hosting/qt/accessible_views.h"
#include "hosting/qt/compact_combo_box.h"
#include "hosting/qt/compact_style.h"
#include "hosting/qt/model_radio_button.h"
#include "hosting/qt/qt_colors.h"
#include "hosting/qt/result_label.h"
#include "hosting/qt/text_fit.h"
#include "hosting/view/accessibility.h"
#include "hosting/view/firewall.h"
#include "hosting/view/keyboard.h"
#include "hosting/view/tab_order.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>

#include <algorithm>

// Resources of a static library are registered by name, outside any namespace.
static void registerPictures() {
    Q_INIT_RESOURCE(pictures);
}

namespace ruvo {

namespace {

QRect pixelRect(const Geometry& geometry, view::ViewScale scale) {
    const view::PixelRect rect = view::toPixels(geometry, scale);
    return {rect.left, rect.top, rect.width, rect.height};
}

// Whether the keyboard focus is on widget or inside it.
bool holdsFocus(const QWidget& widget) {
    const QWidget* focused = QApplication::focusWidget();
    return focused && (focused == &widget || widget.isAncestorOf(focused));
}

QString qText(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

MoravineWidget::MoravineWidget(QWidget* parent)
    : MoravineWidget(std::make_unique<SystemClock>(), nullptr, parent, promptInterval) {}

MoravineWidget::MoravineWidget(const Clock& clock, QWidget* parent,
                               std::chrono::milliseconds interval)
    : MoravineWidget(nullptr, &clock, parent, interval) {}

MoravineWidget::MoravineWidget(std::unique_ptr<Clock> ownClock, const Clock* clock, QWidget* parent,
                               std::chrono::milliseconds interval)
    : QWidget(parent), m_ownClock(std::move(ownClock)), m_control(clock ? *clock : *m_ownClock) {
    registerPictures();
    installAccessibleViews();
    m_inputStyle = std::make_unique<CompactStyle>();
    buildView(interval);
    m_control.host.addObserver(*this);
    m_focusRule.onMove = [this](const Widget* model) {
        if (!m_focusInside)
            return; // the focus is the host's: the control never takes it
        const TemporaryChange applying(m_applyingFocus, true);
        (model ? m_views.at(model) : this)->setFocus(Qt::OtherFocusReason);
    };
    dispatch([this] { return m_control.initialize(); });
    m_resultsWatcher.emplace(m_control,
                             [this](const view::HostResults& results) { resultsChanged(results); });
}

MoravineWidget::~MoravineWidget() {
    m_control.host.removeObserver(*this);
    m_tickTimer->stop();
    // The views go before the model they show, and no longer stand for it while they go.
    m_models.clear();
    qDeleteAll(findChildren<QWidget*>(Qt::FindDirectChildrenOnly));
}

QSize MoravineWidget::sizeHint() const {
    return pixelRect(moravineGeometry, m_scale).size();
}

view::ViewScale MoravineWidget::fontScale() const {
    const QFont& shown = font();
    if (shown.pointSizeF() > 0)
        return view::ViewScale::forFont(logicalDpiY(), shown.pointSizeF());
    return view::ViewScale::forFontPixels(logicalDpiY(), shown.pixelSize());
}

const Widget* MoravineWidget::modelOf(const QWidget* view) const {
    const auto found = m_models.find(view);
    return found == m_models.end() ? nullptr : found->second;
}

QString MoravineWidget::datenice(const QDate& date) const {
    if (!date.isValid())
        return {};
    const auto day = tryDateFromCivil({date.year(), date.month(), date.day()});
    if (!day)
        return {};
    return qText(m_control.datenice(*day));
}

void MoravineWidget::buildView(std::chrono::milliseconds interval) {
    setFocusPolicy(Qt::ClickFocus); // the surface holds the focus where no key changes anything
    m_clock.start();
    m_hostTime.emplace(m_control.host, std::chrono::milliseconds(m_clock.elapsed()));
    m_tickTimer = new QTimer(this);
    m_tickTimer->setObjectName(QStringLiteral("hostTime"));
    m_tickTimer->setSingleShot(true);
    m_tickTimer->setTimerType(Qt::PreciseTimer);
    connect(m_tickTimer, &QTimer::timeout, this, [this] { dispatch({}); });
    m_views[&m_control.host.control()] = this;
    m_models[this] = &m_control.host.control();
    for (Widget* model : m_control.host.widgets()) {
        if (model->kind() == WidgetKind::UserControl)
            continue;
        if (model->kind() == WidgetKind::Timer) {
            static_cast<Timer*>(model)->setInterval(interval);
            continue;
        }
        QWidget* view = createView(*model, m_views.at(model->parent()));
        view->setObjectName(qText(model->name()));
        m_views[model] = view;
        m_models[view] = model;
        adoptAccessibleView(view);
        const view::Role role = view::accessibleRole(*model);
        if (role == view::Role::ComboBox || role == view::Role::ResultText)
            m_textsHeard.emplace_back(view, QString());
        applyDesign(*model, view);
    }
    layOut();
    updateAccessibility();
    setTabOrder();
}

// The whole surface follows the control's font: a host font twice the design's draws every
// widget twice as large, and a font wider than the design's grows it until its texts fit.
void MoravineWidget::layOut() {
    m_scale = fontScale().fitting([this](view::ViewScale scale) {
        return std::all_of(m_views.begin(), m_views.end(), [scale](const auto& entry) {
            const auto& [model, view] = entry;
            return textFits(*view, pixelRect(model->geometry(), scale).size());
        });
    });
    setFixedSize(sizeHint());
    for (const auto& [model, view] : m_views) {
        if (view != this)
            view->setGeometry(pixelRect(model->geometry(), m_scale));
    }
}

void MoravineWidget::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange)
        layOut();
    QWidget::changeEvent(event);
}

QWidget* MoravineWidget::createView(Widget& model, QWidget* parent) {
    const QString caption = qText(model.caption());
    switch (model.kind()) {
    case WidgetKind::Frame:
        return new QGroupBox(caption, parent);
    case WidgetKind::Label: {
        auto* label = view::accessibleRole(model) == view::Role::ResultText
                          ? new ResultLabel(caption, parent)
                          : new QLabel(caption, parent);
        label->setWordWrap(true);
        return label;
    }
    case WidgetKind::OptionButton: {
        auto* button = new ModelRadioButton(caption, parent);
        button->setAutoExclusive(false);
        button->setStyle(m_inputStyle.get());
        button->installEventFilter(this);
        connect(button, &QAbstractButton::clicked, this,
                [this, &model] { dispatch([&] { return m_control.host.click(model); }); });
        return button;
    }
    case WidgetKind::ComboBox: {
        auto* list = new CompactComboBox(*m_inputStyle, parent);
        list->setEditable(false);
        list->setFocusPolicy(Qt::StrongFocus);
        list->installEventFilter(this);
        connect(list, &QComboBox::activated, this, [this, &model, list](int index) {
            const std::string item = list->itemText(index).toStdString();
            dispatch([&] { return m_control.host.pick(model, item); });
            syncSelection(model);
        });
        return list;
    }
    case WidgetKind::CommandButton: {
        auto* button = new QPushButton(caption, parent);
        button->setAutoDefault(false);
        button->installEventFilter(this);
        connect(button, &QAbstractButton::clicked, this,
                [this, &model] { dispatch([&] { return m_control.host.click(model); }); });
        return button;
    }
    case WidgetKind::PictureBox: {
        auto* picture = new QLabel(parent);
        picture->setPixmap(QPixmap(":/ruvo/logo.bmp"));
        picture->setAlignment(Qt::AlignCenter);
        picture->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        picture->setLineWidth(2);
        return picture;
    }
    case WidgetKind::UserControl:
    case WidgetKind::Timer:
        break;
    }
    return new QWidget(parent);
}

void MoravineWidget::applyDesign(const Widget& model, QWidget* view) {
    if (auto* label = qobject_cast<QLabel*>(view); label && model.kind() == WidgetKind::Label) {
        const Qt::Alignment horizontal =
            model.alignment() == TextAlignment::Center ? Qt::AlignHCenter : Qt::AlignLeft;
        const bool result = view::accessibleRole(model) == view::Role::ResultText;
        // A result's one line sits in the middle of its box, clear of the border below.
        label->setAlignment(horizontal | (result ? Qt::AlignVCenter : Qt::AlignTop));
        if (model.border() == BorderStyle::FixedSingle) {
            label->setFrameStyle(QFrame::Box | QFrame::Plain);
            label->setLineWidth(1);
        }
        if (result) {
            // A result is read-only text that Tab reaches, so a screen reader can read it again.
            label->setFocusPolicy(Qt::StrongFocus);
            label->installEventFilter(this);
        }
    }
    applyBackColor(model, view);
    view->setVisible(model.visible());
    view->setEnabled(model.enabled());
}

// Widgets keep the palette's own colours unless the tree gives them colours of their own.
void MoravineWidget::applyBackColor(const Widget& model, QWidget* view) {
    const bool ownBack = model.backColor() != defaultBackColor(model.kind());
    const bool ownFore = model.foreColor() != defaultForeColor(model.kind());
    if (!ownBack && !ownFore)
        return;
    QPalette palette = view->palette();
    const view::TextColors colors = view::readableColors(model.backColor(), model.foreColor(),
                                                         systemPaletteOf(this->palette()));
    if (ownBack) {
        for (auto role : {QPalette::Window, QPalette::Base, QPalette::Button})
            palette.setColor(role, toQColor(colors.back));
        view->setAutoFillBackground(model.kind() == WidgetKind::Label);
    }
    if (ownFore) {
        for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
            palette.setColor(role, toQColor(colors.fore));
    }
    view->setPalette(palette);
}

// Qt tells assistive technology of every assignment, changed or not; only changes are news. A
// text on view is news once, when the handler that changed it has finished: the item a list shows,
// whoever chose it, and a result.
void MoravineWidget::updateAccessibility() {
    for (const auto& [model, view] : m_views) {
        const view::Accessible accessible = view::accessibleOf(*model);
        if (const QString name = qText(accessible.name); view->accessibleName() != name)
            view->setAccessibleName(name);
        if (const QString description = qText(accessible.description);
            view->accessibleDescription() != description)
            view->setAccessibleDescription(description);
    }
    for (auto& [view, heard] : m_textsHeard) {
        const auto* list = qobject_cast<const QComboBox*>(view);
        const QString shown = list ? list->currentText() : static_cast<QLabel*>(view)->text();
        if (shown == heard)
            continue;
        if (view->isVisible())
            announceTextChange(view, heard, shown);
        heard = shown;
    }
}

void MoravineWidget::setTabOrder() {
    QWidget* previous = nullptr;
    for (const Widget* model : view::tabOrder(m_control.host)) {
        QWidget* next = m_views.at(model);
        if (previous)
            QWidget::setTabOrder(previous, next);
        previous = next;
    }
}

void MoravineWidget::syncSelection(const Widget& model) {
    const auto& list = static_cast<const ComboBox&>(model);
    auto* view = static_cast<QComboBox*>(m_views.at(&model));
    const QSignalBlocker blocker(view);
    view->setCurrentIndex(list.selectedIndex() ? static_cast<int>(*list.selectedIndex()) : -1);
}

void MoravineWidget::dispatch(const std::function<std::optional<RuntimeError>()>& action) {
    std::optional<std::string> late;
    std::optional<std::string> error;
    {
        // Qt moves the focus by itself when it hides the focused widget; the focus rule decides.
        const TemporaryChange dispatching(m_dispatching, true);
        m_focusInside = holdsFocus(*this);
        late = view::guarded(
            [this] { return m_hostTime->catchUp(std::chrono::milliseconds(m_clock.elapsed())); });
        if (action)
            error = view::guarded(action);
    }
    if (const auto next = m_hostTime->untilNextTick())
        m_tickTimer->start(*next);
    else
        m_tickTimer->stop();
    for (const auto& message : {late, error}) {
        if (message)
            emit runtimeError(qText(*message));
    }
}

void MoravineWidget::userFocused(Widget* model) {
    if (!m_dispatching && !m_applyingFocus)
        m_focusRule.userMoved(model);
}

void MoravineWidget::focusInEvent(QFocusEvent* event) {
    userFocused(nullptr);
    QWidget::focusInEvent(event);
}

bool MoravineWidget::eventFilter(QObject* watched, QEvent* event) {
    auto* widget = qobject_cast<QWidget*>(watched);
    const auto found = widget ? m_models.find(widget) : m_models.end();
    if (found == m_models.end())
        return QWidget::eventFilter(watched, event);
    Widget& model = *found->second;
    if (event->type() == QEvent::FocusIn)
        userFocused(&model);
    if (event->type() == QEvent::Wheel && model.kind() == WidgetKind::ComboBox &&
        !widget->hasFocus()) {
        event->ignore(); // the host's window scrolls instead
        return true;
    }
    if (event->type() == QEvent::KeyPress)
        return pressKey(model, static_cast<QKeyEvent*>(event)->key());
    return QWidget::eventFilter(watched, event);
}

bool MoravineWidget::pressKey(Widget& focused, int key) {
    static const std::pair<int, view::Key> keys[] = {
        {Qt::Key_Space, view::Key::Space}, {Qt::Key_Return, view::Key::Enter},
        {Qt::Key_Enter, view::Key::Enter}, {Qt::Key_Up, view::Key::Up},
        {Qt::Key_Down, view::Key::Down},   {Qt::Key_Left, view::Key::Left},
        {Qt::Key_Right, view::Key::Right},
    };
    const auto found = std::find_if(std::begin(keys), std::end(keys),
                                    [key](const auto& entry) { return entry.first == key; });
    if (found == std::end(keys))
        return false;
    Widget* target = view::keyTarget(focused, found->second);
    if (!target)
        return false;
    if (target != &focused)
        m_views.at(target)->setFocus(Qt::TabFocusReason);
    dispatch([&] { return m_control.host.click(*target); });
    return true;
}

// Qt hands the focus of a widget it hides or disables to the next in the chain, an input; the
// surface holds it instead until the focus rule decides, so no input ever has it, even briefly.
void MoravineWidget::parkFocus(QWidget* view) {
    if (holdsFocus(*view)) {
        const TemporaryChange applying(m_applyingFocus, true);
        setFocus(Qt::OtherFocusReason);
    }
}

void MoravineWidget::resultsChanged(const view::HostResults& results) {
    const bool eddMoved = results.edd != m_results.edd || results.method != m_results.method;
    const bool gestationMoved = results.gestationAtBirthDays != m_results.gestationAtBirthDays;
    m_results = results;
    if (eddMoved)
        emit eddChanged();
    if (gestationMoved)
        emit gestationAtBirthChanged();
}

QDate MoravineWidget::edd() const {
    if (!m_results.edd)
        return {};
    const CivilDate day = civilFromDate(*m_results.edd);
    return {day.year, day.month, day.day};
}

QString MoravineWidget::eddMethod() const {
    return m_results.method ? qText(std::string(view::methodKey(*m_results.method))) : QString();
}

int MoravineWidget::gestationAtBirthDays() const {
    return m_results.gestationAtBirthDays.value_or(-1);
}

void MoravineWidget::handlerFinished(const Widget&, Event, Invocation, const RuntimeError*) {
    if (m_control.host.depth() == 0)
        updateAccessibility();
}

void MoravineWidget::widgetChanged(const Widget& model, WidgetChange change) {
    if (model.kind() == WidgetKind::Timer)
        return; // the host's time runs it
    QWidget* view = m_views.at(&model);
    const QSignalBlocker blocker(view);
    switch (change) {
    case WidgetChange::Caption:
        if (auto* frame = qobject_cast<QGroupBox*>(view))
            frame->setTitle(qText(model.caption()));
        else if (auto* label = qobject_cast<QLabel*>(view))
            label->setText(qText(model.caption()));
        else if (auto* button = qobject_cast<QAbstractButton*>(view))
            button->setText(qText(model.caption()));
        break;
    case WidgetChange::Visible:
        if (!model.visible())
            parkFocus(view);
        view->setVisible(model.visible());
        break;
    case WidgetChange::Enabled:
        if (!model.enabled())
            parkFocus(view);
        view->setEnabled(model.enabled());
        break;
    case WidgetChange::Value:
        static_cast<QAbstractButton*>(view)->setChecked(
            static_cast<const OptionButton&>(model).value());
        break;
    case WidgetChange::Text:
        syncSelection(model);
        break;
    case WidgetChange::BackColor:
        applyBackColor(model, view);
        break;
    case WidgetChange::ItemAdded:
        static_cast<QComboBox*>(view)->addItem(
            qText(static_cast<const ComboBox&>(model).items().back()));
        syncSelection(model); // Qt selects the first item of an empty list by itself
        break;
    case WidgetChange::ItemsCleared:
        static_cast<QComboBox*>(view)->clear();
        break;
    case WidgetChange::Focus:
        view->setFocus(Qt::OtherFocusReason);
        break;
    }
}

} // namespace ruvo
