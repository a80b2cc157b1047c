#pragma once

#include "control/moravine.h"
#include "host/host_observer.h"
#include "hosting/view/focus_rule.h"
#include "hosting/view/geometry.h"
#include "hosting/view/host_results.h"
#include "hosting/view/host_time.h"
#include "hosting/view/keyboard.h"
#include "hosting/view/view_sink.h"

#include <chrono>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace ruvo::view {

// One control on a toolkit: the Moravine, and everything a front-end does with it but the
// toolkit's own calls, which go to the ViewSink.
//
// It builds the views through the sink and mirrors every change of the model to them; runs every
// entry (the user's clicks, picks and keys, the toolkit's timer) through the firewall on the
// toolkit's time; moves the focus by the focus rule while the focus is inside; keeps Tab at one
// stop per option group; tells assistive technology what changed; grows the surface until every
// text fits; and tells the host of run-time errors and of the results on view.
//
// A user's input acts on the surface as it was on screen: ticks a busy toolkit loop let fall due
// run after it, in time order. Ticks run as one step for the views, so a prompt that falls due
// several times at once shows only where it ends, and the focus goes nowhere in between. Where
// the platform asks for reduced motion, and whenever a tick would blink away the widget that has
// the focus, the prompts run to their end at once: nothing blinks and no key is lost.
class Presenter final : private HostObserver {
  public:
    // The clock gives "today" and must outlive the presenter. Each form of a blinking prompt
    // stays on view for one blinkInterval.
    Presenter(const Clock& todaysClock, std::chrono::milliseconds blinkInterval);
    ~Presenter() override;
    Presenter(const Presenter&) = delete;
    Presenter& operator=(const Presenter&) = delete;

    // Builds the sink's views of the surface as it stands; from then on they mirror every change,
    // and the prompts run on the sink's clock. A front-end attaches once it can take calls, and
    // detaches before its views go; the model lives on without views, standing still.
    void attach(ViewSink&);
    void detach();
    // Raises Initialize, once. With a sink attached it runs as the sink's entry, which reports
    // any run-time error, and lays the filled surface out; without one the error comes back.
    std::optional<RuntimeError> initialize();
    // Builds another sink's views of the surface as it stands, in that sink's font, to draw them:
    // they show, but nothing reaches them afterwards.
    void showOnce(ViewSink&);

    Moravine& control() { return m_control; }
    const Moravine& control() const { return m_control; }

    // The user's click on an option or command button, and pick of a list's item. The view of
    // the list or the option group is shown as the model has it afterwards, a refused pick's too.
    void click(const Widget&);
    void pick(const Widget& list, std::string_view item);
    // A key on the focused widget, as view::keyTarget has it: true when the presenter took it
    // (the focus moves to its target, which is clicked), false to leave it to the toolkit.
    bool pressKey(const Widget& focused, Key);
    // The toolkit's one timer fired.
    void timerFired();

    // Lays the surface out again, as after a change of the toolkit's font.
    void layOut();
    // The scale of the last layout: the font's, grown until every text fits.
    ViewScale scale() const { return m_scale; }

    // Design mode: the surface stands still; no timer runs and no input reaches the model. Back
    // in user mode, the prompts go on from where they stood.
    void setDesignMode(bool design);

    // Whether the presenter is moving the toolkit's focus itself: the toolkit's notices of that
    // move are nobody's input.
    bool movingFocus() const { return m_movingFocus; }

    const HostResults& results() const { return m_results; }

    // What the sink's views show, every widget but the timers and the surface, frames before
    // their children and siblings in tab order.
    const std::vector<const Widget*>& viewedWidgets() const { return m_viewed; }

  private:
    using Entry = std::function<std::optional<RuntimeError>()>;
    using Measure = std::function<PixelSize(const std::string&)>;

    // Runs one entry: a user's input on target (with the ticks it held back after it), or the
    // ticks alone; then the focus, assistive technology, the timer and the host hear of it.
    void run(const Widget* target, const Entry& input);
    static std::vector<const Widget*> widgetsToView(const WidgetHost&);
    void buildViews();
    void afterRun();
    void notifyResults();
    void show(const Widget&, WidgetChange);
    void showState(const Widget&);
    void flushDeferred();
    void showGroupOf(const Widget& option);
    // Moves the focus as the focus rule says, while the focus is inside the control.
    void applyFocus();
    void moveFocus(const Widget*);
    bool focusIsIn(const Widget&) const;
    void noteFocus();
    void updateAccessibility();
    void updateTabStops();
    OwnColors ownColors(const Widget&) const;
    bool fitsAt(ViewScale, const Measure&) const;
    static bool wrappedFits(const Widget& label, PixelSize area, const Measure&);

    void widgetChanged(const Widget&, WidgetChange) override;
    void handlerFinished(const Widget&, Event, Invocation, const RuntimeError*) override;

    Moravine m_control;
    // The tree never changes: its order for the views is worked out once.
    std::vector<const Widget*> m_viewed;
    ViewSink* m_sink = nullptr;
    FocusRule m_focusRule{m_control.host};
    std::optional<HostTime> m_time;
    std::optional<ResultsWatcher> m_resultsWatcher;
    HostResults m_results;
    ResultsMoved m_resultsMoved;
    ViewScale m_scale;
    SystemPalette m_palette;

    bool m_running = false;
    bool m_deferring = false;
    bool m_movingFocus = false;
    bool m_designMode = false;
    bool m_focusInside = false;
    bool m_announcing = true;
    bool m_initialized = false;
    // The widget the running entry's input acts on.
    const Widget* m_target = nullptr;
    // Where the focus rule last said the focus goes, until it has gone there.
    std::optional<const Widget*> m_focusDue;
    // Changes held back while ticks run, in the order they first came.
    std::vector<std::pair<const Widget*, WidgetChange>> m_deferred;
    std::vector<std::string> m_errors;

    // What assistive technology last heard of each widget, and the text a list or result showed.
    // (A hash of each Accessible: the texts themselves stay with the model.)
    std::map<const Widget*, std::size_t> m_accessibleShown;
    std::map<const Widget*, std::string> m_textsHeard;
    std::map<const Widget*, bool> m_tabStops;
};

} // namespace ruvo::view
