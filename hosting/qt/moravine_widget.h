#pragma once

#include "control/core/widget_tree.h"
#include "control/moravine.h"
#include "dating/clock.h"
#include "hosting/view/focus_rule.h"
#include "hosting/view/geometry.h"
#include "hosting/view/host_results.h"
#include "hosting/view/host_time.h"

#include <QDate>
#include <QElapsedTimer>
#include <QString>
#include <QWidget>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <unordered_map>
#include <utility>
#include <vector>

class QStyle;
class QTimer;

namespace ruvo {

// The Moravine pregnancy-dating control as a Qt widget. It takes its host's font, and its layout
// scales with that font against the 8-point font it was designed for.
//
// It owns one headless Moravine and shows each widget of its surface as a real Qt widget: frames
// as group boxes, labels, radio buttons, drop-down lists, push buttons, the picture; one QTimer
// runs the prompt timers on the host's time (see view::HostTime), and sleeps while none runs.
// Every change of the control's model is applied to its Qt widget at once, with signals blocked;
// only the user's own clicks, picks and keys and the passing of time reach the control. A run-time
// error of the control is reported through runtimeError() and never reaches the event loop; the
// control stays usable.
//
// Keyboard and screen-reader users work it as a native form: Enter and Space press the focused
// button, the arrows select within an option group, the results take the focus, and the focus
// never falls on an input by accident (see view::FocusRule). A closed list changes with the mouse
// wheel only while it has the focus.
class MoravineWidget : public QWidget, private HostObserver {
    Q_OBJECT
    // The EDD on view, or a null date while none is.
    Q_PROPERTY(QDate edd READ edd NOTIFY eddChanged)
    // How the EDD on view was found: "lmp", "crl", "bpd", "hc" or "derived"; empty while none is.
    Q_PROPERTY(QString eddMethod READ eddMethod NOTIFY eddChanged)
    // The gestation at birth on view in days, or -1 while none is.
    Q_PROPERTY(int gestationAtBirthDays READ gestationAtBirthDays NOTIFY gestationAtBirthChanged)

  public:
    // A control whose "today" is the machine's date, as a host or Qt Designer creates it.
    explicit MoravineWidget(QWidget* parent = nullptr);
    // A control whose "today" comes from clock, which must outlive it. Each form of a blinking
    // prompt stays on view for one blinkInterval.
    explicit MoravineWidget(const Clock& clock, QWidget* parent = nullptr,
                            std::chrono::milliseconds blinkInterval = promptInterval);
    ~MoravineWidget() override;

    // The display form of a date, "26 October 2006"; an empty text for an invalid date or one
    // outside 1 January 100 to 31 December 9999. Callable by name through QMetaObject.
    Q_INVOKABLE QString datenice(const QDate& date) const;

    // The headless control behind the view, for hosts that observe or script it.
    Moravine& control() { return m_control; }

    // The size of the surface in the control's font: 581 x 361 pixels in an 8-point font as
    // narrow as the design's at 96 dots per inch, in proportion for any other.
    QSize sizeHint() const override;

    // The scale of the surface: the control's font against the design's, at the screen's
    // resolution, grown where the font is wider than the design's.
    view::ViewScale viewScale() const { return m_scale; }

    // The model a view of this control shows, or null for any other widget.
    const Widget* modelOf(const QWidget* view) const;

    QDate edd() const;
    QString eddMethod() const;
    int gestationAtBirthDays() const;

  signals:
    // A run-time error ended a handler the user's action or a tick began.
    void runtimeError(const QString& message);
    void eddChanged();
    void gestationAtBirthChanged();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void focusInEvent(QFocusEvent*) override;
    void changeEvent(QEvent*) override;

  private:
    MoravineWidget(std::unique_ptr<Clock> ownClock, const Clock* clock, QWidget* parent,
                   std::chrono::milliseconds blinkInterval);

    void buildView(std::chrono::milliseconds blinkInterval);
    QWidget* createView(Widget& model, QWidget* parent);
    view::ViewScale fontScale() const;
    void layOut();
    void applyDesign(const Widget& model, QWidget* view);
    void applyBackColor(const Widget& model, QWidget* view);
    void updateAccessibility();
    void setTabOrder();
    void syncSelection(const Widget& model);
    // The user put the focus on a widget of the surface, or on the surface itself (null).
    void userFocused(Widget* model);
    void parkFocus(QWidget* view);
    bool pressKey(Widget& focused, int key);
    void resultsChanged(const view::HostResults&);

    // Runs one of the host's entry points, after the ticks that fell due before it, and reports
    // any error; then arms the timer for the next tick.
    void dispatch(const std::function<std::optional<RuntimeError>()>& action);

    void widgetChanged(const Widget&, WidgetChange) override;
    void handlerFinished(const Widget&, Event, Invocation, const RuntimeError*) override;

    std::unique_ptr<Clock> m_ownClock;
    Moravine m_control;
    std::unique_ptr<QStyle> m_inputStyle;
    std::unordered_map<const Widget*, QWidget*> m_views;
    std::unordered_map<const QWidget*, Widget*> m_models;
    // The lists and results, each with the text assistive technology last heard from it.
    std::vector<std::pair<QWidget*, QString>> m_textsHeard;
    view::FocusRule m_focusRule{m_control.host};
    QElapsedTimer m_clock;
    std::optional<view::HostTime> m_hostTime;
    QTimer* m_tickTimer = nullptr;
    bool m_dispatching = false;
    bool m_applyingFocus = false;
    // Whether the focus was inside the control when the running entry began.
    bool m_focusInside = false;
    view::ViewScale m_scale;
    view::HostResults m_results;
    std::optional<view::ResultsWatcher> m_resultsWatcher;
};

} // namespace ruvo
