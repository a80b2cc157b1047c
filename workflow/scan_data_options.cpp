#include "workflow/scan_data_options.h"

#include "control/surface_colors.h"
#include "pickers/picker_runs.h"

namespace ruvo {

namespace {

enum class Usable { No, Yes };

constexpr Color listColor(Usable usable) {
    return usable == Usable::Yes ? ActiveBackColor : InactiveBackColor;
}

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
    s.DDVal.setEnabled(m);
    s.DDVal.setBackColor(listColor(measurement));
    s.Labmm.setEnabled(m);
    s.DDUSW.setEnabled(g);
    s.DDUSW.setBackColor(listColor(gestation));
    s.DDUSD.setEnabled(g);
    s.DDUSD.setBackColor(listColor(gestation));
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
