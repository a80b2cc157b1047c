#pragma once

#include "control/core/control_core.h"

#include <optional>

namespace ruvo {

// The pregnancy-dating control. Creating one builds its surface with every design-time property
// and wires each answered event to its handler; initialize() then raises Initialize, which a host
// does once, after it has attached its observers, before the user can act.
//
// The user's actions and the timers' ticks reach the control through host(): click, pick, tick
// and advanceTime. Each returns the run-time error that ended its handler, if any; the control
// stays usable and keeps whatever the handler had done before the failing step.
class Moravine final : public ControlCore {
  public:
    // The clock gives "today"; it must outlive the control.
    explicit Moravine(const Clock& todaysClock);

    // Raises Initialize. Call once.
    [[nodiscard]] std::optional<RuntimeError> initialize() { return host.initialize(); }
};

} // namespace ruvo
