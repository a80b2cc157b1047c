#pragma once

#include "control/core/widget_tree.h"
#include "control/moravine.h"
#include "dating/clock.h"
#include "hosting/view/presenter.h"
#include "hosting/view/view_sink.h"

#include <QDate>
#include <QElapsedTimer>
#include <QString>
#include <QWidget>

#include <chrono>
#include <memory>
#include <unordered_map>

class QLabel;

namespace ruvo {
class FocusRing;
}
class QStyle;
class QTimer;

namespace ruvo {

// The Moravine pregnancy-dating control as a Qt widget. It takes its host's font, and its layout
// scales with that font against the 8-point font it was designed for.
//
// It is the Qt sink of one view::Presenter, which owns the headless Moravine and decides everything
// the widget shows: each widget of the surface is a real Qt widget (frames as group boxes, labels,
// radio buttons, drop-down lists, push buttons, the picture), and one QTimer runs the prompts on
// the control's clock, sleeping while none runs. Every change the presenter passes on is applied
// to its Qt widget at once, with signals blocked; only the user's own clicks, picks and keys and
// the passing of time reach the control. A run-time error of the control is reported through
// runtimeError() and never reaches the event loop; the control stays usable.
//
// Keyboard and screen-reader users work it as a native form: Enter and Space press the focused
// button, the arrows select within an option group, the results take the focus, and the focus
// never falls on an input by accident (see view::FocusRule). A closed list changes with the mouse
// wheel only while it has the focus.
class MoravineWidget : public QWidget, private view::ViewSink {
    Q_OBJECT
    // The EDD on view, or a null date while none is.
    Q_PROPERTY(QDate edd READ edd NOTIFY eddChanged)
    // How the EDD on view was found: "lmp", "crl", "bpd", "hc" or "derived"; empty while none is.
    Q_PROPERTY(QString eddMethod READ eddMethod NOTIFY eddChanged)
    // The gestation at birth on view in days, or -1 while none is.
    Q_PROPERTY(int gestationAtBirthDays READ gestationAtBirthDays NOTIFY gestationAtBirthChanged)
    // Whether the prompts run to their end at once instead of blinking, for users who ask their
    // desktop for reduced motion; Qt does not tell, so the host sets it.
    Q_PROPERTY(bool reducedMotion READ reducedMotion WRITE setReducedMotion)

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
    Moravine& control() { return m_presenter.control(); }

    // The size of the surface in the control's font: 581 x 361 pixels in an 8-point font as
    // narrow as the design's at 96 dots per inch, in proportion for any other.
    QSize sizeHint() const override;

    // The scale of the surface: the control's font against the design's, at the screen's
    // resolution, grown where the font is wider than the design's.
    view::ViewScale viewScale() const { return m_presenter.scale(); }

    // The model a view of this control shows, or null for any other widget.
    const Widget* modelOf(const QWidget* view) const;

    bool reducedMotion() const override { return m_reducedMotion; }
    void setReducedMotion(bool reduced) { m_reducedMotion = reduced; }

    QDate edd() const;
    QString eddMethod() const;
    int gestationAtBirthDays() const;
    // The gestation in days on that day, the EDD on view being day 280; -1 while no EDD is on
    // view, and for a day that is invalid or before the pregnancy's start.
    int gestationOnDays(QDate day) const;
    // The dating on view as a FHIR R4 Bundle in UTF-8 JSON, its Observations naming the subject
    // when one is given ("Patient/123"); empty while no EDD is on view, and for a subject that is
    // no reference.
    QByteArray fhirRecord(const QString& subject = {}) const;

  signals:
    // A run-time error ended a handler the user's action or a tick began.
    void runtimeError(const QString& message);
    void eddChanged();
    void gestationAtBirthChanged();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent*) override;

  private:
    MoravineWidget(std::unique_ptr<Clock> ownClock, const Clock* clock, QWidget* parent,
                   std::chrono::milliseconds blinkInterval);

    QWidget* viewOf(const Widget&) const;
    void applyDesign(const Widget& model, QWidget* view);
    bool pressKey(const Widget& focused, int key);
    void ringFocus(QWidget* focused);

    void createView(const Widget&) override;
    void placeView(const Widget&, const view::PixelRect&) override;
    void showCaption(const Widget&, const std::string& caption) override;
    void showVisible(const Widget&, bool visible) override;
    void showEnabled(const Widget&, bool enabled) override;
    void showChecked(const Widget& option, bool checked) override;
    void showSelection(const Widget& list, std::optional<std::size_t> index) override;
    void showItemAdded(const Widget& list, const std::string& item) override;
    void showItemsCleared(const Widget& list) override;
    void showColors(const Widget&, const view::OwnColors&) override;
    void showTabStop(const Widget& option, bool stop) override;
    void showAccessible(const Widget&, const view::Accessible&) override;
    void noticeTextChange(const Widget&, const std::string& heard,
                          const std::string& shown) override;
    void announce(const std::string& text) override;
    view::FocusPlace focusPlace() const override;
    void moveFocus(const Widget*) override;
    std::chrono::milliseconds toolkitTime() const override;
    void armTimer(std::optional<std::chrono::milliseconds> wait) override;
    view::ViewScale fontScale() const override;
    view::PixelSize measureText(const std::string& text) const override;
    view::PixelSize textArea(const Widget&, view::PixelSize box) const override;
    view::SystemPalette systemPalette() const override;
    void reportError(const std::string& message) override;
    void resultsChanged(const view::HostResults&, view::ResultsMoved) override;

    std::unique_ptr<Clock> m_ownClock;
    std::unique_ptr<QStyle> m_inputStyle;
    std::unordered_map<const Widget*, QWidget*> m_views;
    std::unordered_map<const QWidget*, const Widget*> m_models;
    QElapsedTimer m_clock;
    QTimer* m_tickTimer = nullptr;
    // Speaks the presenter's announcements: a live status line that only assistive technology
    // sees.
    QLabel* m_announcer = nullptr;
    FocusRing* m_focusRing = nullptr;
    bool m_reducedMotion = false;
    view::Presenter m_presenter;
};

} // namespace ruvo
