#include "pickers/date_pickers.h"

#include "pickers/picker_runs.h"

namespace ruvo {

void DDLSDateM_Click(ControlCore& control) {
    StartEDDPrompt(control);
    RebuildDayList(control.surface.DDLSDateM, control.surface.DDLSDateD);
    ClearResults(control);
}

void DDLSDateD_Click(ControlCore& control) {
    StartEDDPrompt(control);
    ClearResults(control);
}

void DDLSDateY_Click(ControlCore& control) {
    StartEDDPrompt(control);
    ClearResults(control);
}

void DDDOBDateM_Click(ControlCore& control) {
    Surface& s = control.surface;
    ControlState& state = control.state;
    state.Tick2 = 0;
    if (state.DOBFirstPick == False16)
        s.Timer2.setEnabled(true);
    RebuildDayList(s.DDDOBDateM, s.DDDOBDateD);
    s.FrameGest.setVisible(false);
    state.DOBFirstPick = False16;
    s.ComCalcGest.setVisible(true);
}

void DDDOBDateD_Click(ControlCore& control) {
    Surface& s = control.surface;
    ControlState& state = control.state;
    state.Tick2 = 0;
    if (state.DOBFirstPick == False16)
        s.Timer2.setEnabled(true);
    s.FrameGest.setVisible(false);
    s.ComCalcGest.setVisible(true);
    state.DOBFirstPick = False16;
}

void DDDOBDateY_Click(ControlCore& control) {
    Surface& s = control.surface;
    control.state.Tick2 = 0;
    s.Timer2.setEnabled(true);
    s.FrameGest.setVisible(false);
    s.ComCalcGest.setVisible(true);
}

} // namespace ruvo
