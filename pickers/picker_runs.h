#pragma once

#include "control/core/control_core.h"

#include <string_view>

namespace ruvo {

// The runs of steps that the pickers and the scan data options share.

// Starts the "Calculate EDD" prompt from a count of 0, also while it is running.
void StartEDDPrompt(ControlCore&);

// Withdraws every result downstream of the dating inputs: back to Ready, "No" answered and
// "Calculate EDD" offered again.
void ClearResults(ControlCore&);

// Days a month list offers for its text: 30 for April, June, September and November, 28 for
// February in every year, 31 for anything else (no selection included).
int monthLength(std::string_view monthText);

// Refills a day list with the days of the month its month list shows and selects day 1, which
// runs the day list's Click, nested.
void RebuildDayList(ComboBox& month, ComboBox& day);

} // namespace ruvo
