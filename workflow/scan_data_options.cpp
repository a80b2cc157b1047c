#include "workflow/scan_data_options.h"

#include "pickers/picker_runs.h"
#include "workflow/scan_lists.h"

namespace ruvo {

namespace {

enum class Usable { No, Yes };

// The steps both options share; they differ only in which group is usable.
void chooseScanData(ControlCore& control, Usable measurement, Usable gestation) {
    Surface& s = control.surface;
    const bool m = measurement == Usable::Yes;
    const bool g = gestation == Usable::Yes;
    s.OptCRL.setEnabled(m);
    s.OptBPD.setEnabled(m);
    s.OptHC.setEnabled(m);
    s.FrameUS.setEnabled(true);
    s.FrameCBH.setEnabled(m);
    setScanListEnabled(s.DDVal, m);
    s.Labmm.setEnabled(m);
    setScanListEnabled(s.DDUSW, g);
    setScanListEnabled(s.DDUSD, g);
    s.LabUSW.setEnabled(g);
    s.LabUSD.setEnabled(g);
    StartEDDPrompt(control);
    ClearResults(control);
}

} // namespace

void OptFB_Click(ControlCore& control) {
    chooseScanData(control, Usable::Yes, Usable::No);
}

void OptDG_Click(ControlCore& control) {
    chooseScanData(control, Usable::No, Usable::Yes);
}

} // namespace ruvo
