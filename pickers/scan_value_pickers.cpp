#include "pickers/scan_value_pickers.h"

#include "pickers/picker_runs.h"

namespace ruvo {

void DDUSW_Click(ControlCore& control) {
    StartEDDPrompt(control);
    ClearResults(control);
}

void DDUSD_Click(ControlCore& control) {
    StartEDDPrompt(control);
    ClearResults(control);
}

void DDVal_Click(ControlCore& control) {
    StartEDDPrompt(control);
    ClearResults(control);
}

} // namespace ruvo
