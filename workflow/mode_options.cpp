#include "workflow/mode_options.h"

#include "workflow/scan_lists.h"

namespace ruvo {

void OptLMP_Click(ControlCore& control) {
    Surface& s = control.surface;
    s.OptLMP.setValue(true);
    s.OptCRL.setEnabled(false);
    s.OptBPD.setEnabled(false);
    s.OptHC.setEnabled(false);
    s.ComCalcEDD.setVisible(true);
    s.ComCalcGest.setVisible(false);
    s.FrameEDD.setVisible(false);
    s.FrameCBH.setEnabled(false);
    s.FrameUS.setEnabled(false);
    s.FrameGest.setVisible(false);
    s.FrameDOB.setVisible(false);
    setScanListEnabled(s.DDVal, false);
    s.Labmm.setEnabled(false);
    setScanListEnabled(s.DDUSW, false);
    setScanListEnabled(s.DDUSD, false);
    s.LabUSW.setEnabled(false);
    s.LabUSD.setEnabled(false);
    s.OptFB.setEnabled(false);
    s.OptDG.setEnabled(false);
    s.DDLSDateD.setText("1");
    s.FrameDate.setCaption("Date of LMP");
    s.FrameQDOB.setVisible(false);
    s.OptNo.setValue(true);
}

void OptUS_Click(ControlCore& control) {
    Surface& s = control.surface;
    s.OptUS.setValue(true);
    s.OptFB.setValue(true);
    s.OptCRL.setEnabled(true);
    s.OptBPD.setEnabled(true);
    s.OptHC.setEnabled(true);
    s.ComCalcEDD.setVisible(true);
    s.FrameEDD.setVisible(false);
    s.FrameCBH.setEnabled(true);
    s.FrameUS.setEnabled(true);
    s.FrameGest.setVisible(false);
    s.FrameDOB.setVisible(false);
    s.OptFB.setEnabled(true);
    s.OptDG.setEnabled(true);
    setScanListEnabled(s.DDUSW, false);
    setScanListEnabled(s.DDUSD, false);
    s.LabUSW.setEnabled(false);
    s.LabUSD.setEnabled(false);
    setScanListEnabled(s.DDVal, true);
    s.Labmm.setEnabled(true);
    s.DDLSDateM.setText("January");
    s.DDLSDateD.setText("1");
    s.DDLSDateY.setText("2000");
    s.FrameDate.setCaption("Date of Ultrasound scan");
    s.FrameQDOB.setVisible(false);
    s.OptNo.setValue(true);
    s.ComCalcGest.setVisible(false);
}

} // namespace ruvo
