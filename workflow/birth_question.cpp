#include "workflow/birth_question.h"

#include "dating/date_text.h"
#include "dating/numbers.h"

namespace ruvo {

namespace {

// Selects the item when the list holds it; otherwise leaves the list as it is.
void selectIfListed(ComboBox& list, const std::string& item) {
    if (list.hasItem(item))
        list.setText(item);
}

// Selects the day, or where the day list lacks it the nearest day it holds: an EDD on
// 29 February presets the 28th, since February offers 28 days in every year.
void selectNearestDay(ComboBox& days, int day) {
    for (int listed = day; listed >= 1; --listed) {
        if (days.hasItem(integerText(listed))) {
            days.setText(integerText(listed));
            return;
        }
    }
}

} // namespace

void OptYes_Click(ControlCore& control) {
    Surface& s = control.surface;
    s.FrameDOB.setVisible(true);
    const CivilDate edd = civilFromDate(control.state.EDDDate);
    s.DDDOBDateM.setText(monthName(edd.month));
    selectNearestDay(s.DDDOBDateD, edd.day);
    selectIfListed(s.DDDOBDateY, integerText(edd.year));
    s.DDDOBDateM.setFocus();
    s.ComCalcGest.setVisible(true);
    s.ComCalcEDD.setVisible(false);
}

void OptNo_Click(ControlCore& control) {
    Surface& s = control.surface;
    s.FrameDOB.setVisible(false);
    s.FrameGest.setVisible(false);
    s.ComCalcGest.setVisible(false);
}

} // namespace ruvo
