#include "workflow/mode_options.h"

#include "control/surface_colors.h"

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
    s.DDVal.setEnabled(false);
    s.DDVal.setBackColor(InactiveBackColor);
    s.Labmm.setEnabled(false);
    s.DDUSW.setEnabled(false);
    s.DDUSW.setBackColor(InactiveBackColor);
    s.DDUSD.setEnabled(false);
    s.DDUSD.setBackColor(InactiveBackColor);
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
    s.DDUSW.setEnabled(false);
    s.DDUSW.setBackColor(InactiveBackColor);
    s.DDUSD.setEnabled(false);
    s.DDUSD.setBackColor(InactiveBackColor);
    s.LabUSW.setEnabled(false);
    s.LabUSD.setEnabled(false);
    s.DDVal.setEnabled(true);
    s.DDVal.setBackColor(ActiveBackColor);
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
