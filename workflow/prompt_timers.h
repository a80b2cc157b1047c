#pragma once

#include "control/core/control_core.h"

namespace ruvo {

// The blinking prompts. Each tick counts, switches its target between the shown and the blank
// form, and the fourth tick switches the timer off. A prompt is started elsewhere by setting its
// counter to 0 and enabling its timer.

// The question and its "Yes". The last tick leaves them shown, whatever form they had.
void Timer1_Timer(ControlCore&);
// The caption of "Calculate gestation". The last tick leaves it shown.
void Timer2_Timer(ControlCore&);
// The "Calculate EDD" button, shown and hidden. Every tick, the last included, reverses it.
void Timer3_Timer(ControlCore&);

} // namespace ruvo
