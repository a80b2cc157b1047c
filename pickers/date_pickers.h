#pragma once

#include "control/core/control_core.h"

namespace ruvo {

// The Clicks of the six date lists. A change of the LMP or scan date withdraws every result and
// starts the "Calculate EDD" prompt; a change of the date of birth withdraws only the gestation at
// birth and starts the "Calculate gestation" prompt. Only the month lists rebuild their day list.

void DDLSDateM_Click(ControlCore&);
void DDLSDateD_Click(ControlCore&);
void DDLSDateY_Click(ControlCore&);

// The month and day handlers start no prompt while DOBFirstPick is True, and clear it; the year
// handler always starts it and leaves DOBFirstPick alone.
void DDDOBDateM_Click(ControlCore&);
void DDDOBDateD_Click(ControlCore&);
void DDDOBDateY_Click(ControlCore&);

} // namespace ruvo
