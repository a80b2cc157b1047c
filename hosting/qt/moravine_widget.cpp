#include "hosting/qt/moravine_widget.h"

#include "dating/date_text.h"
#include "host/temporary_change.h"
#include "hosting/qt/accessible_views.h"
#include "hosting/qt/compact_combo_box.h"
#include "hosting/qt/compact_style.h"
#include "hosting/qt/focus_ring.h"
#include "hosting/qt/model_radio_button.h"
#include "hosting/qt/qt_colors.h"
#include "hosting/qt/result_label.h"
#include "hosting/qt/text_fit.h"
#include "hosting/view/host_record.h"
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
#include <stdexcept>

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
    : QWidget(parent), m_ownClock(std::move(ownClock)),
      m_inputStyle(std::make_unique<CompactStyle>()),
      m_presenter(clock ? *clock : *m_ownClock, interval) {
    registerPictures();
    installAccessibleViews();
    setFocusPolicy(Qt::ClickFocus); // the surface holds the focus where no key changes anything
    m_clock.start();
    m_tickTimer = new QTimer(this);
    m_tickTimer->setObjectName(QStringLiteral("hostTime"));
    m_tickTimer->setSingleShot(true);
    m_tickTimer->setTimerType(Qt::PreciseTimer);
    connect(m_tickTimer, &QTimer::timeout, this, [this] { m_presenter.timerFired(); });
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { ringFocus(now); });
    m_views[&control().host.control()] = this;
    m_models[this] = &control().host.control();
    m_presenter.attach(*this);
    (void)m_presenter.initialize(); // with views: an error is reported as runtimeError
    for (const auto& [model, view] : m_views)
        adoptAccessibleView(view);
    QWidget* previous = nullptr;
    for (const Widget* model : view::tabOrder(control().host)) {
        if (previous)
            QWidget::setTabOrder(previous, viewOf(*model));
        previous = viewOf(*model);
    }
}

MoravineWidget::~MoravineWidget() {
    disconnect(qApp, nullptr, this, nullptr); // the focus moves as the views go
    m_tickTimer->stop();
    // The views go before the model they show, and no longer stand for it while they go.
    m_models.clear();
    qDeleteAll(findChildren<QWidget*>(Qt::FindDirectChildrenOnly));
}

QSize MoravineWidget::sizeHint() const {
    return pixelRect(moravineGeometry, viewScale()).size();
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

QWidget* MoravineWidget::viewOf(const Widget& model) const {
    return m_views.at(&model);
}

QString MoravineWidget::datenice(const QDate& date) const {
    if (!date.isValid())
        return {};
    const auto day = tryDateFromCivil({date.year(), date.month(), date.day()});
    if (!day)
        return {};
    return qText(m_presenter.control().datenice(*day));
}

void MoravineWidget::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange || event->type() == QEvent::PaletteChange) {
        m_presenter.layOut();
        ringFocus(QApplication::focusWidget());
    }
    QWidget::changeEvent(event);
}

void MoravineWidget::ringFocus(QWidget* focused) {
    const Widget* model = focused ? modelOf(focused) : nullptr;
    if (!model || model->kind() == WidgetKind::UserControl) {
        if (m_focusRing)
            m_focusRing->ring(nullptr, {});
        return;
    }
    const view::Rgb inside = rgbOf(focused->palette().color(focused->backgroundRole()));
    if (!m_focusRing)
        m_focusRing = new FocusRing(this); // made when first needed: most controls start unfocused
    m_focusRing->ring(focused, toQColor(view::focusRingColor(systemPalette(), inside)));
}

void MoravineWidget::createView(const Widget& model) {
    QWidget* parent = viewOf(*model.parent());
    QWidget* view = nullptr;
    switch (model.kind()) {
    case WidgetKind::Frame:
        view = new QGroupBox(parent);
        break;
    case WidgetKind::Label: {
        auto* label = view::accessibleRole(model) == view::Role::ResultText
                          ? new ResultLabel(parent)
                          : new QLabel(parent);
        label->setWordWrap(true);
        view = label;
        break;
    }
    case WidgetKind::OptionButton: {
        auto* button = new ModelRadioButton(parent);
        button->setAutoExclusive(false);
        button->setStyle(m_inputStyle.get());
        connect(button, &QAbstractButton::clicked, this,
                [this, &model] { m_presenter.click(model); });
        view = button;
        break;
    }
    case WidgetKind::ComboBox: {
        auto* list = new CompactComboBox(*m_inputStyle, parent);
        list->setEditable(false);
        list->setFocusPolicy(Qt::StrongFocus);
        connect(list, &QComboBox::activated, this, [this, &model, list](int index) {
            m_presenter.pick(model, list->itemText(index).toStdString());
        });
        view = list;
        break;
    }
    case WidgetKind::CommandButton: {
        auto* button = new QPushButton(parent);
        button->setAutoDefault(false);
        connect(button, &QAbstractButton::clicked, this,
                [this, &model] { m_presenter.click(model); });
        view = button;
        break;
    }
    case WidgetKind::PictureBox: {
        auto* picture = new QLabel(parent);
        picture->setPixmap(QPixmap(":/ruvo/logo.bmp"));
        picture->setAlignment(Qt::AlignCenter);
        picture->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        picture->setLineWidth(2);
        view = picture;
        break;
    }
    case WidgetKind::UserControl:
    case WidgetKind::Timer:
        view = new QWidget(parent);
        break;
    }
    view->setObjectName(qText(model.name()));
    // The presenter places every view: Qt need not size one to its text when it is first shown.
    view->setAttribute(Qt::WA_Resized);
    view->installEventFilter(this);
    m_views[&model] = view;
    m_models[view] = &model;
    applyDesign(model, view);
}

void MoravineWidget::applyDesign(const Widget& model, QWidget* view) {
    auto* label = qobject_cast<QLabel*>(view);
    if (!label || model.kind() != WidgetKind::Label)
        return;
    const Qt::Alignment horizontal =
        model.alignment() == TextAlignment::Center ? Qt::AlignHCenter : Qt::AlignLeft;
    const bool result = view::accessibleRole(model) == view::Role::ResultText;
    // A result's one line sits in the middle of its box, clear of the border below.
    label->setAlignment(horizontal | (result ? Qt::AlignVCenter : Qt::AlignTop));
    if (model.border() == BorderStyle::FixedSingle) {
        label->setFrameStyle(QFrame::Box | QFrame::Plain);
        label->setLineWidth(1);
    }
    // A result is read-only text that Tab reaches, so a screen reader can read it again.
    if (result)
        label->setFocusPolicy(Qt::StrongFocus);
}

void MoravineWidget::placeView(const Widget& model, const view::PixelRect& rect) {
    if (model.kind() == WidgetKind::UserControl)
        setFixedSize(rect.width, rect.height);
    else
        viewOf(model)->setGeometry(rect.left, rect.top, rect.width, rect.height);
}

// Qt tells assistive technology of every assignment, the same text again included: only a new
// text is set.
void MoravineWidget::showCaption(const Widget& model, const std::string& caption) {
    QWidget* view = viewOf(model);
    const QSignalBlocker blocker(view);
    const QString text = qText(caption);
    if (auto* frame = qobject_cast<QGroupBox*>(view); frame && frame->title() != text)
        frame->setTitle(text);
    else if (auto* label = qobject_cast<QLabel*>(view);
             label && label->pixmap().isNull() && label->text() != text)
        label->setText(text);
    else if (auto* button = qobject_cast<QAbstractButton*>(view); button && button->text() != text)
        button->setText(text);
}

void MoravineWidget::showVisible(const Widget& model, bool visible) {
    viewOf(model)->setVisible(visible);
}

void MoravineWidget::showEnabled(const Widget& model, bool enabled) {
    viewOf(model)->setEnabled(enabled);
}

void MoravineWidget::showChecked(const Widget& option, bool checked) {
    auto* button = static_cast<QAbstractButton*>(viewOf(option));
    const QSignalBlocker blocker(button);
    button->setChecked(checked);
}

void MoravineWidget::showSelection(const Widget& list, std::optional<std::size_t> index) {
    auto* view = static_cast<QComboBox*>(viewOf(list));
    const QSignalBlocker blocker(view);
    view->setCurrentIndex(index ? static_cast<int>(*index) : -1);
}

void MoravineWidget::showItemAdded(const Widget& list, const std::string& item) {
    auto* view = static_cast<QComboBox*>(viewOf(list));
    const QSignalBlocker blocker(view);
    view->addItem(qText(item));
}

void MoravineWidget::showItemsCleared(const Widget& list) {
    auto* view = static_cast<QComboBox*>(viewOf(list));
    const QSignalBlocker blocker(view);
    view->clear();
}

void MoravineWidget::showColors(const Widget& model, const view::OwnColors& colors) {
    QWidget* view = viewOf(model);
    if (!colors.back && !colors.fore) {
        if (view->testAttribute(Qt::WA_SetPalette))
            view->setPalette(QPalette()); // back to the host's
        return;
    }
    QPalette palette = view->palette();
    if (colors.back) {
        for (auto role : {QPalette::Window, QPalette::Base, QPalette::Button})
            palette.setColor(role, toQColor(*colors.back));
        view->setAutoFillBackground(model.kind() == WidgetKind::Label);
    }
    if (colors.fore) {
        for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
            palette.setColor(role, toQColor(*colors.fore));
    }
    view->setPalette(palette);
}

// Tab skips an option button that is not its group's stop; a click still focuses it.
void MoravineWidget::showTabStop(const Widget& option, bool stop) {
    viewOf(option)->setFocusPolicy(stop ? Qt::StrongFocus : Qt::ClickFocus);
}

// Qt tells assistive technology of every assignment, changed or not: the presenter sends changes.
void MoravineWidget::showAccessible(const Widget& model, const view::Accessible& accessible) {
    QWidget* view = viewOf(model);
    view->setAccessibleName(qText(accessible.name));
    view->setAccessibleDescription(qText(accessible.description));
}

void MoravineWidget::noticeTextChange(const Widget& model, const std::string& heard,
                                      const std::string& shown) {
    announceTextChange(viewOf(model), qText(heard), qText(shown));
}

void MoravineWidget::announce(const std::string& text) {
    if (!m_announcer) {
        m_announcer = new QLabel(this);
        m_announcer->setObjectName(announcerName);
        m_announcer->setGeometry(0, 0, 1, 1);
        m_announcer->setAttribute(Qt::WA_TransparentForMouseEvents);
        QPalette unseen = m_announcer->palette();
        unseen.setColor(QPalette::WindowText, Qt::transparent);
        m_announcer->setPalette(unseen);
    }
    announceLive(m_announcer, qText(text));
}

view::FocusPlace MoravineWidget::focusPlace() const {
    for (const QWidget* focused = QApplication::focusWidget(); focused;
         focused = focused->parentWidget()) {
        if (const Widget* model = modelOf(focused))
            return model->kind() == WidgetKind::UserControl ? nullptr : model;
        if (focused == this)
            break;
    }
    return std::nullopt;
}

void MoravineWidget::moveFocus(const Widget* model) {
    (model ? viewOf(*model) : this)->setFocus(Qt::OtherFocusReason);
}

std::chrono::milliseconds MoravineWidget::toolkitTime() const {
    return std::chrono::milliseconds(m_clock.elapsed());
}

void MoravineWidget::armTimer(std::optional<std::chrono::milliseconds> wait) {
    if (wait)
        m_tickTimer->start(*wait);
    else
        m_tickTimer->stop();
}

// Shaping a text is the dearest step of a layout, and its answer depends on the font and the text
// alone: every control of the thread shares the answers, the days and years of its lists too.
view::PixelSize MoravineWidget::measureText(const std::string& text) const {
    constexpr std::size_t mostKept = 4096;
    thread_local std::unordered_map<std::string, view::PixelSize> measured;
    thread_local QString measuredFont;
    if (const QString key = font().key(); key != measuredFont || measured.size() > mostKept) {
        measured.clear();
        measuredFont = key;
    }
    auto found = measured.find(text);
    if (found == measured.end()) {
        const QFontMetrics metrics = fontMetrics();
        found = measured
                    .emplace(text, view::PixelSize{metrics.horizontalAdvance(qText(text)),
                                                   metrics.height()})
                    .first;
    }
    return found->second;
}

view::PixelSize MoravineWidget::textArea(const Widget& model, view::PixelSize box) const {
    const QSize room = textRoom(*viewOf(model), QSize(box.width, box.height));
    return {room.width(), room.height()};
}

view::SystemPalette MoravineWidget::systemPalette() const {
    return systemPaletteOf(QWidget::palette());
}

void MoravineWidget::reportError(const std::string& message) {
    emit runtimeError(qText(message));
}

void MoravineWidget::resultsChanged(const view::HostResults&, view::ResultsMoved moved) {
    if (moved.edd)
        emit eddChanged();
    if (moved.gestationAtBirth)
        emit gestationAtBirthChanged();
}

QDate MoravineWidget::edd() const {
    const auto& results = m_presenter.results();
    if (!results.edd)
        return {};
    const CivilDate day = civilFromDate(*results.edd);
    return {day.year, day.month, day.day};
}

QString MoravineWidget::eddMethod() const {
    const auto& method = m_presenter.results().method;
    return method ? qText(std::string(view::methodKey(*method))) : QString();
}

int MoravineWidget::gestationAtBirthDays() const {
    return m_presenter.results().gestationAtBirthDays.value_or(-1);
}

int MoravineWidget::gestationOnDays(QDate day) const {
    const auto date =
        day.isValid() ? tryDateFromCivil({day.year(), day.month(), day.day()}) : std::nullopt;
    if (!date)
        return -1;
    try {
        const auto gestation = view::gestationOn(m_presenter.results(), *date);
        return gestation ? gestation->totalDays : -1;
    } catch (const RuntimeError&) {
        return -1; // before the pregnancy's start
    }
}

QByteArray MoravineWidget::fhirRecord(const QString& subject) const {
    try {
        return QByteArray::fromStdString(
            view::fhirRecord(m_presenter.results(), subject.toStdString()));
    } catch (const std::invalid_argument&) {
        return {};
    }
}

bool MoravineWidget::eventFilter(QObject* watched, QEvent* event) {
    auto* widget = qobject_cast<QWidget*>(watched);
    const Widget* model = widget ? modelOf(widget) : nullptr;
    if (!model)
        return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::Wheel && model->kind() == WidgetKind::ComboBox &&
        !widget->hasFocus()) {
        event->ignore(); // the host's window scrolls instead
        return true;
    }
    if (event->type() == QEvent::KeyPress)
        return pressKey(*model, static_cast<QKeyEvent*>(event)->key());
    return QWidget::eventFilter(watched, event);
}

bool MoravineWidget::pressKey(const Widget& focused, int key) {
    static const std::pair<int, view::Key> keys[] = {
        {Qt::Key_Space, view::Key::Space}, {Qt::Key_Return, view::Key::Enter},
        {Qt::Key_Enter, view::Key::Enter}, {Qt::Key_Up, view::Key::Up},
        {Qt::Key_Down, view::Key::Down},   {Qt::Key_Left, view::Key::Left},
        {Qt::Key_Right, view::Key::Right},
    };
    const auto found = std::find_if(std::begin(keys), std::end(keys),
                                    [key](const auto& entry) { return entry.first == key; });
    return found != std::end(keys) && m_presenter.pressKey(focused, found->second);
}

} // namespace ruvo
