#pragma once

#include "control/core/control_core.h"

namespace ruvo {

// "Calculate EDD": the EDD from the LMP date, or from the scan date and the gestation the scan
// gives (a derived gestation, or a crown rump length, biparietal diameter or head circumference),
// shown in LabEDD and kept as EDDDate; then the question is offered and its prompt starts. The
// scan value is read before the dates. A failing step ends the handler; what it changed before
// stays (the prompt, and in the ultrasound branches ScanGestDays and DaysToEDD).
void ComCalcEDD_Click(ControlCore&);

// "Calculate gestation": the gestation on the date of birth, counting the EDD as 40 weeks 0 days.
// Everything is computed before anything is shown, so a refused date of birth (more than 280 days
// before the EDD) leaves the panels, LabGest and the button as they were.
void ComCalcGest_Click(ControlCore&);

} // namespace ruvo
