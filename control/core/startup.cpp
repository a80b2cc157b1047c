#include "control/core/startup.h"

#include "control/core/surface_colors.h"
#include "dating/biometry.h"
#include "dating/date_text.h"
#include "dating/numbers.h"

#include <algorithm>

namespace ruvo {

int lastListedYear(Date today) {
    return std::clamp(civilFromDate(today).year + 1, 2020, 9999);
}

void Moravine_Initialize(ControlCore& control) {
    Surface& s = control.surface;
    ControlState& state = control.state;

    state.DOBFirstPick = True16;
    state.EDDDate = control.clock.today();
    state.DOBDate = control.clock.today();
    for (std::string_view month : monthNames)
        s.DDLSDateM.addItem(std::string(month));
    for (std::string_view month : monthNames)
        s.DDDOBDateM.addItem(std::string(month));
    for (int year = firstListedYear; year <= lastListedYear(state.EDDDate); ++year) {
        s.DDLSDateY.addItem(integerText(year));
        s.DDDOBDateY.addItem(integerText(year));
    }
    for (const std::string& weeks : itemsOf(scanWeeksRange))
        s.DDUSW.addItem(weeks);
    s.DDUSW.setText("18");
    for (const std::string& days : itemsOf(scanDaysRange))
        s.DDUSD.addItem(days);
    s.DDUSD.setText("0");
    s.DDLSDateM.setText("January");
    s.DDDOBDateM.setText("October");
    s.DDLSDateD.setText("1");
    s.DDDOBDateD.setText("1");
    s.DDLSDateY.setText("2000");
    s.DDDOBDateY.setText("2000");
    s.OptBPD.setValue(true);
    s.OptUS.setValue(true);
    s.ComCalcGest.setVisible(false);
    s.FrameEDD.setVisible(false);
    s.FrameCBH.setVisible(true);
    s.FrameGest.setVisible(false);
    s.FrameDOB.setVisible(false);
    s.DDVal.setVisible(true);
    s.DDVal.setBackColor(ActiveBackColor);
    s.Labmm.setVisible(true);
    s.DDLSDateD.setText("1");
    s.FrameDate.setCaption("Date of Ultrasound scan");
    s.DDLSDateM.setVisible(true);
    s.FrameQDOB.setVisible(false);
    s.OptNo.setValue(true);
}

void ComRestart_Click(ControlCore& control) {
    control.host.callDirectly(control.surface.OptUS, Event::Click);
}

} // namespace ruvo
