#pragma once

#include "apps/drive/drive_actions.h"
#include "host/host_observer.h"

#include <chrono>
#include <functional>

namespace ruvo {

class MoravineWidget;

// Runs Qt's event loop until done() holds or the time is up; whether it holds.
bool processEventsUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout);

// Performs the drive protocol's actions on the real Qt widgets of a shown MoravineWidget, as a
// user would: a mouse click on a radio button's indicator or a push button, a pick by opening the
// list's popup, moving to the item and pressing Return, and for a tick, waiting for the timer's own
// timeout. An action the control would refuse (a hidden or disabled widget, an item the list does
// not hold, a stopped timer) is not tried on the screen; the control's refusal is returned instead.
// The mouse and key events are Qt's own, sent to the widgets as the window system's would be
// delivered, so that the demo that drives its screenshots this way needs no test library.
class ScreenActions final : public DriveActions, private HostObserver {
  public:
    explicit ScreenActions(MoravineWidget& view);
    ~ScreenActions() override;
    ScreenActions(const ScreenActions&) = delete;
    ScreenActions& operator=(const ScreenActions&) = delete;

    std::optional<RuntimeError> click(Widget&) override;
    std::optional<RuntimeError> pick(Widget& list, std::string_view item) override;
    std::optional<RuntimeError> tick(Widget& timer) override;

  private:
    void handlerStarted(const Widget&, Event, Invocation) override;
    void handlerFinished(const Widget&, Event, Invocation, const RuntimeError*) override;

    MoravineWidget& m_view;
    std::optional<RuntimeError> m_error; // of the last event the view dispatched
    const Widget* m_ticked = nullptr;
};

} // namespace ruvo
