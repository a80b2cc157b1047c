#pragma once

#include "control/core/control_core.h"

namespace ruvo {

// "Calculate length of gestation at birth?"

// Yes: opens the date-of-birth lists set to the EDD, puts the focus on the month list and offers
// "Calculate gestation". An EDD on 29 February, which the day list of February lacks, presets
// the 28th; an EDD in a year after the year list leaves that list's selection as it was. The
// remaining steps go on either way.
void OptYes_Click(ControlCore&);

// No: closes the date-of-birth lists and withdraws any gestation at birth; the EDD and the
// question stay.
void OptNo_Click(ControlCore&);

} // namespace ruvo
