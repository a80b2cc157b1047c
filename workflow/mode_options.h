#pragma once

#include "control/core/control_core.h"

namespace ruvo {

// The mode options reconfigure the whole input surface for the chosen way of dating, withdraw
// every result and answer the question "No": both end in Ready.

// LMP-based: the scan data and measurement inputs greyed; the day goes back to 1, the month and
// year stay.
void OptLMP_Click(ControlCore&);

// Ultrasound-based, and the control's restart: fetal biometry selected, the measurement inputs
// usable, the date lists on 1 January 2000.
void OptUS_Click(ControlCore&);

} // namespace ruvo
