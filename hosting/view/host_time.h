#pragma once

#include "host/widget_host.h"

#include <chrono>
#include <optional>

namespace ruvo::view {

// Runs the host's prompt timers on a toolkit's time through one toolkit timer, so every
// front-end keeps the host's timer rules (ticks in time order, never inside a handler, a running
// timer started again keeps its rhythm) and none keeps timers of its own.
//
// The front-end reads its monotonic clock at each of its entry points and calls catchUp: before
// a user's action, so that ticks which fell due before the click run before it, and when its one
// timer fires. After each entry it arms that timer for untilNextTick, or stops it.
class HostTime {
  public:
    // The host's clock reads now() at the toolkit's time toolkitNow.
    HostTime(WidgetHost&, std::chrono::milliseconds toolkitNow);

    // Brings the host's clock to the toolkit's time, running every tick due by then; does nothing
    // inside a handler. Returns the first run-time error a tick met, if any.
    [[nodiscard]] std::optional<RuntimeError> catchUp(std::chrono::milliseconds toolkitNow);

    // How long until the next tick falls due, or none while no timer runs.
    std::optional<std::chrono::milliseconds> untilNextTick() const;

  private:
    WidgetHost& m_host;
    std::chrono::milliseconds m_origin;
};

} // namespace ruvo::view
