#pragma once

#include "host/widget_host.h"

#include <chrono>
#include <optional>

namespace ruvo::view {

// Runs the host's prompt timers on a toolkit's time through one toolkit timer, so every
// front-end keeps the host's timer rules (ticks in time order, never inside a handler, a running
// timer started again keeps its rhythm) and none keeps timers of its own.
//
// The front-end reads its monotonic clock at each of its entry points. A user's input acts on the
// surface as it was on screen: holdUntil brings the clock to the input first, holding back the
// ticks a busy loop let fall due, and catchUp runs them after the input, in time order. When its
// one timer fires, catchUp alone. After each entry it arms that timer for untilNextTick, or stops
// it.
class HostTime {
  public:
    // The host's clock reads now() at the toolkit's time toolkitNow.
    HostTime(WidgetHost&, std::chrono::milliseconds toolkitNow);

    // Brings the host's clock to the toolkit's time, running every tick due by then; does nothing
    // inside a handler. Returns the first run-time error a tick met, if any.
    [[nodiscard]] std::optional<RuntimeError> catchUp(std::chrono::milliseconds toolkitNow);

    // Brings the host's clock to the toolkit's time without running the ticks that fell due by
    // then; they wait for the next catchUp. Does nothing inside a handler.
    void holdUntil(std::chrono::milliseconds toolkitNow);

    // Runs every running prompt to its end now, each tick in time order, and lets the host's
    // clock run ahead of the toolkit's by the time they would have taken: nothing blinks. Returns
    // the first run-time error a tick met, if any.
    [[nodiscard]] std::optional<RuntimeError> finishPrompts();

    // How long until the next tick falls due, or none while no timer runs.
    std::optional<std::chrono::milliseconds> untilNextTick() const;

  private:
    WidgetHost& m_host;
    std::chrono::milliseconds m_origin;
};

} // namespace ruvo::view
