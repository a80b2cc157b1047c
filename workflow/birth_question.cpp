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

} // namespace

void OptYes_Click(ControlCore& control) {
    Surface& s = control.surface;
    s.FrameDOB.setVisible(true);
    const CivilDate edd = civilFromDate(control.state.EDDDate);
    s.DDDOBDateM.setText(monthName(edd.month));
    selectIfListed(s.DDDOBDateD, integerText(edd.day));
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
