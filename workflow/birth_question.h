#pragma once

#include "control/control_core.h"

namespace ruvo {

// "Calculate length of gestation at birth?"

// Yes: opens the date-of-birth lists set to the EDD, puts the focus on the month list and offers
// "Calculate gestation". When the EDD's day (29 February) or year is not an item of its list,
// that list keeps its selection and the remaining steps go on.
void OptYes_Click(ControlCore&);

// No: closes the date-of-birth lists and withdraws any gestation at birth; the EDD and the
// question stay.
void OptNo_Click(ControlCore&);

} // namespace ruvo
