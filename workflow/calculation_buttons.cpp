#include "workflow/calculation_buttons.h"

#include "dating/biometry.h"
#include "dating/date_text.h"
#include "dating/due_date.h"
#include "dating/gestation_at_birth.h"
#include "dating/numbers.h"

namespace ruvo {

namespace {

// The measurement the options choose: crown rump length, else biparietal diameter, else head
// circumference, whatever OptHC says.
Measurement chosenMeasurement(const Surface& s) {
    if (s.OptCRL.value())
        return Measurement::CrownRumpLength;
    if (s.OptBPD.value())
        return Measurement::BiparietalDiameter;
    return Measurement::HeadCircumference;
}

// The scan data the lists hold, read in the order weeks, days.
ScanData scanData(const Surface& s) {
    if (s.OptFB.value())
        return FetalMeasurement{chosenMeasurement(s), parseNumber(s.DDVal.text())};
    return DerivedGestation{parseNumber(s.DDUSW.text()), parseNumber(s.DDUSD.text())};
}

Date pickedDate(const ComboBox& day, const ComboBox& month, const ComboBox& year) {
    return dateFromPickers(day.text(), month.text(), year.text());
}

} // namespace

void ComCalcEDD_Click(ControlCore& control) {
    Surface& s = control.surface;
    ControlState& state = control.state;
    state.Tick1 = 0;
    s.Timer1.setEnabled(true);
    Date edd = 0;
    if (!s.OptUS.value()) {
        const Date lmp = pickedDate(s.DDLSDateD, s.DDLSDateM, s.DDLSDateY);
        edd = eddFromLmp(lmp);
    } else {
        const ScanDating dating(scanData(s));
        state.ScanGestDays = dating.gestationDays();
        state.DaysToEDD = dating.daysToEdd();
        const Date scan = pickedDate(s.DDLSDateD, s.DDLSDateM, s.DDLSDateY);
        edd = dating.edd(scan);
    }
    s.LabEDD.setCaption(control.datenice(edd));
    state.EDDDate = parseDate(s.LabEDD.caption());
    s.FrameEDD.setVisible(true);
    s.FrameQDOB.setVisible(true);
    s.ComCalcEDD.setVisible(false);
}

void ComCalcGest_Click(ControlCore& control) {
    Surface& s = control.surface;
    ControlState& state = control.state;
    state.DOBDate = pickedDate(s.DDDOBDateD, s.DDDOBDateM, s.DDDOBDateY);
    const GestationAtBirth gestation = gestationAtBirth(state.EDDDate, state.DOBDate);
    s.FrameGest.setVisible(true);
    s.LabGest.setCaption(gestationCaption(gestation));
    s.ComCalcGest.setVisible(false);
}

} // namespace ruvo
