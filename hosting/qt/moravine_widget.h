#pragma once

#include "control/core/widget_tree.h"
#include "control/moravine.h"
#include "dating/clock.h"

#include <QDate>
#include <QString>
#include <QWidget>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <unordered_map>

class QStyle;
class QTimer;

namespace ruvo {

// The Moravine pregnancy-dating control as a Qt widget, 581 x 361 logical pixels.
//
// It owns one headless Moravine and shows each widget of its surface as a real Qt widget: frames
// as group boxes, labels, radio buttons, drop-down lists, push buttons, the picture, and a QTimer
// for each prompt timer. Every change of the control's model is applied to its Qt widget at once,
// with signals blocked; only the user's own clicks, picks and the timers' timeouts reach the
// control. A run-time error of the control is reported through runtimeError() and never reaches
// the event loop; the control stays usable.
class MoravineWidget : public QWidget, private HostObserver {
    Q_OBJECT

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

    QSize sizeHint() const override;

  signals:
    // A run-time error ended a handler the user's action or a tick began.
    void runtimeError(const QString& message);

  private:
    MoravineWidget(std::unique_ptr<Clock> ownClock, const Clock* clock, QWidget* parent,
                   std::chrono::milliseconds blinkInterval);

    void buildView(std::chrono::milliseconds blinkInterval);
    QWidget* createView(Widget& model, QWidget* parent);
    void applyDesign(const Widget& model, QWidget* view);
    void applyBackColor(const Widget& model, QWidget* view);
    void updateAccessibleNames();
    void setTabOrder();
    void syncSelection(const Widget& model);

    // Runs one of the host's entry points and reports its error, if any.
    void dispatch(const std::function<std::optional<RuntimeError>()>& action);

    void widgetChanged(const Widget&, WidgetChange) override;

    std::unique_ptr<Clock> m_ownClock;
    Moravine m_control;
    std::unique_ptr<QStyle> m_inputStyle;
    std::unordered_map<const Widget*, QWidget*> m_views;
    std::unordered_map<const Widget*, QTimer*> m_timers;
};

} // namespace ruvo
