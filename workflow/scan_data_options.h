#pragma once

#include "control/core/control_core.h"

namespace ruvo {

// The scan data options make one input group usable and grey the other, keeping what was picked
// in both, then return to Ready and start the "Calculate EDD" prompt.

// Fetal biometry: the measurement options, DDVal and "mm" usable; the weeks and days greyed.
void OptFB_Click(ControlCore&);
// Derived gestation: the weeks and days usable; the measurement inputs greyed.
void OptDG_Click(ControlCore&);

} // namespace ruvo
