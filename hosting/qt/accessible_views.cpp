#include "hosting/qt/accessible_views.h"

#include "hosting/qt/moravine_widget.h"
#include "hosting/view/accessibility.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QLabel>

namespace ruvo {

namespace {

// The model behind a widget of a control's surface, or null for anything else (a list's popup,
// a host's own widget).
const Widget* modelOf(QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    for (QWidget* ancestor = widget; ancestor; ancestor = ancestor->parentWidget()) {
        if (auto* control = qobject_cast<MoravineWidget*>(ancestor))
            return control->modelOf(widget);
    }
    return nullptr;
}

// A widget of the surface, presented as the view layer says.
class ModelAccessible : public QAccessibleWidget {
  public:
    ModelAccessible(QWidget* widget, const Widget& model, QAccessible::Role role)
        : QAccessibleWidget(widget, role), m_model(model) {}

    QString text(QAccessible::Text part) const override {
        const view::Accessible accessible = view::accessibleOf(m_model);
        switch (part) {
        case QAccessible::Name:
            return QString::fromStdString(accessible.name);
        case QAccessible::Description:
            return QString::fromStdString(accessible.description);
        default:
            return QAccessibleWidget::text(part);
        }
    }

  protected:
    const Widget& m_model;
};

class RadioButtonAccessible final : public ModelAccessible {
  public:
    RadioButtonAccessible(QAbstractButton* button, const Widget& model)
        : ModelAccessible(button, model, QAccessible::RadioButton) {}

    QAccessible::State state() const override {
        QAccessible::State state = ModelAccessible::state();
        state.checkable = true;
        state.checked = button()->isChecked();
        return state;
    }

    QStringList actionNames() const override {
        return QStringList{pressAction()} + ModelAccessible::actionNames();
    }
    void doAction(const QString& action) override {
        if (action == pressAction())
            button()->click(); // as a user's click: the control decides the selection
        else
            ModelAccessible::doAction(action);
    }

  private:
    QAbstractButton* button() const { return static_cast<QAbstractButton*>(widget()); }
};

// Read-only text, the whole of shown() readable, with no caret or selection a key could move.
class ReadOnlyTextAccessible : public ModelAccessible, public QAccessibleTextInterface {
  public:
    using ModelAccessible::ModelAccessible;

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return ModelAccessible::interface_cast(type);
    }

    QString text(QAccessible::Text part) const override {
        if (part == QAccessible::Value)
            return shown();
        return ModelAccessible::text(part);
    }

    QString text(int start, int end) const override { return shown().mid(start, end - start); }
    int characterCount() const override { return static_cast<int>(shown().size()); }
    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QRect characterRect(int) const override { return rect(); }
    int offsetAtPoint(const QPoint&) const override { return 0; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int* start, int* end) const override {
        *start = 0;
        *end = characterCount();
        return {};
    }

  protected:
    virtual QString shown() const = 0;
};

// A list reads its current item as text: Qt 6.4 puts it on no other interface a bridge exposes
// once the list has a name of its own.
class ComboBoxAccessible final : public ReadOnlyTextAccessible {
  public:
    ComboBoxAccessible(QComboBox* list, const Widget& model)
        : ReadOnlyTextAccessible(list, model, QAccessible::ComboBox) {}

    QAccessible::State state() const override {
        QAccessible::State state = ReadOnlyTextAccessible::state();
        state.expandable = true;
        state.expanded = list()->view()->isVisible();
        state.collapsed = !state.expanded;
        return state;
    }

    // The popup's list, as Qt's own combo box presents it, so its items can be read and chosen.
    int childCount() const override { return 1; }
    QAccessibleInterface* child(int index) const override {
        return index == 0 ? QAccessible::queryAccessibleInterface(list()->view()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child && child->object() == list()->view() ? 0 : -1;
    }

    QStringList actionNames() const override {
        return QStringList{showMenuAction()} + ReadOnlyTextAccessible::actionNames();
    }
    void doAction(const QString& action) override {
        if (action == showMenuAction())
            list()->showPopup();
        else
            ReadOnlyTextAccessible::doAction(action);
    }

  protected:
    QString shown() const override { return list()->currentText(); }

  private:
    QComboBox* list() const { return static_cast<QComboBox*>(widget()); }
};

// A result: read-only text that takes the focus.
class ResultAccessible final : public ReadOnlyTextAccessible {
  public:
    ResultAccessible(QLabel* label, const Widget& model)
        : ReadOnlyTextAccessible(label, model, QAccessible::EditableText) {}

    QAccessible::State state() const override {
        QAccessible::State state = ReadOnlyTextAccessible::state();
        state.readOnly = true;
        state.editable = false;
        state.focusable = true;
        return state;
    }

  protected:
    QString shown() const override { return static_cast<QLabel*>(widget())->text(); }
};

// Where Qt's own interface would not say what the view layer says.
bool hasOwnInterface(const Widget& model) {
    const view::Role role = view::accessibleRole(model);
    return role == view::Role::RadioButton || role == view::Role::ComboBox ||
           role == view::Role::ResultText;
}

// The control's announcer: an alert whose words are its text, said when it shows.
class AnnouncerAccessible final : public QAccessibleWidget {
  public:
    explicit AnnouncerAccessible(QLabel* label)
        : QAccessibleWidget(label, QAccessible::AlertMessage) {}

    QString text(QAccessible::Text part) const override {
        if (part == QAccessible::Name)
            return static_cast<QLabel*>(widget())->text();
        return QAccessibleWidget::text(part);
    }
};

bool isAnnouncer(QObject* object) {
    return object->objectName() == announcerName && qobject_cast<QLabel*>(object) &&
           qobject_cast<MoravineWidget*>(object->parent());
}

QAccessibleInterface* accessibleView(const QString&, QObject* object) {
    if (isAnnouncer(object))
        return new AnnouncerAccessible(static_cast<QLabel*>(object));
    const Widget* model = modelOf(object);
    if (!model)
        return nullptr;
    switch (view::accessibleRole(*model)) {
    case view::Role::RadioButton:
        if (auto* button = qobject_cast<QAbstractButton*>(object))
            return new RadioButtonAccessible(button, *model);
        break;
    case view::Role::ComboBox:
        if (auto* list = qobject_cast<QComboBox*>(object))
            return new ComboBoxAccessible(list, *model);
        break;
    case view::Role::ResultText:
        if (auto* label = qobject_cast<QLabel*>(object))
            return new ResultAccessible(label, *model);
        break;
    default:
        break;
    }
    return nullptr; // Qt's own interface says what the view layer says
}

} // namespace

void installAccessibleViews() {
    static const bool installed = [] {
        QAccessible::installFactory(accessibleView);
        return true;
    }();
    (void)installed;
}

void adoptAccessibleView(QObject* view) {
    const Widget* model = modelOf(view);
    if (!model || !hasOwnInterface(*model))
        return;
    QAccessibleInterface* made = QAccessible::queryAccessibleInterface(view);
    if (made && !dynamic_cast<ModelAccessible*>(made))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
}

void announceTextChange(QObject* view, const QString& oldText, const QString& newText) {
    // A text update alone: a bridge drops a value change of an object without a value.
    QAccessibleTextUpdateEvent update(view, 0, oldText, newText);
    QAccessible::updateAccessibility(&update);
}

void announceLive(QLabel* announcer, const QString& text) {
    // A screen reader speaks an alert as it shows: the same words twice are news twice.
    announcer->hide();
    announcer->setText(text);
    announcer->show();
}

} // namespace ruvo
