#pragma once

#include "control/core/control_core.h"

namespace ruvo {

// The measurement options refill DDVal with the values offered for their measurement and select a
// preset, which runs DDVal's Click (the list was just cleared, so the selection always changes):
// the results are withdrawn and the "Calculate EDD" prompt starts.

void OptCRL_Click(ControlCore&); // 10 to 80 mm, "33" selected
void OptBPD_Click(ControlCore&); // 20 to 55 mm, "37" selected
void OptHC_Click(ControlCore&);  // 75 to 195 mm by 5, "135" selected

} // namespace ruvo
