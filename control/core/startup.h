#pragma once

#include "control/core/control_core.h"

namespace ruvo {

// The first year the year lists offer.
inline constexpr int firstListedYear = 1980;
// The last: 2020, or the year after today's when that is later, so that a pregnancy dated today
// and its birth can always be entered.
int lastListedYear(Date today);

// Initialize: stamps today, fills the month, year and scan-gestation lists, selects a first value
// in every list and sets the first state: ultrasound dating by fetal biometry, biparietal
// diameter, no result shown. The selections run the lists' and options' Clicks, nested.
void Moravine_Initialize(ControlCore&);

// "Cancel and RESTART": runs the OptUS handler as a direct call, nothing else.
void ComRestart_Click(ControlCore&);

} // namespace ruvo
