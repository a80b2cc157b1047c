#pragma once

#include "control/core/control_core.h"

namespace ruvo {

// The Clicks of the scan value lists: a new value makes any EDD stale, so each withdraws the
// results and starts the "Calculate EDD" prompt. None reads the value; "Calculate EDD" does.

void DDUSW_Click(ControlCore&);
void DDUSD_Click(ControlCore&);
void DDVal_Click(ControlCore&);

} // namespace ruvo
