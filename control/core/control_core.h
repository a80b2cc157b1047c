#pragma once

#include "control/core/control_state.h"
#include "control/core/surface.h"
#include "dating/clock.h"
#include "dating/date.h"
#include "host/widget_host.h"

#include <string>

namespace ruvo {

// What every handler of the control works on: the widget host with the surface built into it,
// the control state, the clock, and the control's public method. Handlers are free functions
// taking it, one folder a subsystem; Moravine wires them to the widgets' events.
class ControlCore {
  public:
    explicit ControlCore(const Clock& todaysClock);
    ControlCore(const ControlCore&) = delete;
    ControlCore& operator=(const ControlCore&) = delete;

    // The display form of a date, "26 October 2006"; any time of day is ignored. Touches no
    // widget and no state. Fails with InvalidArgument for NaN, infinities and dates outside
    // 1 January 100 to 31 December 9999.
    std::string datenice(const Date& xdate) const;

    WidgetHost host;
    Surface surface{host};
    ControlState state{host};
    const Clock& clock;
};

} // namespace ruvo
