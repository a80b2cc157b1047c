#include "pickers/picker_runs.h"

#include "dating/numbers.h"

namespace ruvo {

void StartEDDPrompt(ControlCore& control) {
    control.state.Tick3 = 0;
    control.surface.Timer3.setEnabled(true);
}

void ClearResults(ControlCore& control) {
    Surface& s = control.surface;
    s.ComCalcGest.setVisible(false);
    s.FrameEDD.setVisible(false);
    s.FrameGest.setVisible(false);
    s.FrameQDOB.setVisible(false);
    s.OptNo.setValue(true);
    s.FrameDOB.setVisible(false);
    s.ComCalcEDD.setVisible(true);
}

int monthLength(std::string_view monthText) {
    if (monthText == "April" || monthText == "June" || monthText == "September" ||
        monthText == "November")
        return 30;
    if (monthText == "February")
        return 28;
    return 31;
}

void RebuildDayList(ComboBox& month, ComboBox& day) {
    const int length = monthLength(month.text());
    day.clear();
    for (int dayOfMonth = 1; dayOfMonth <= length; ++dayOfMonth)
        day.addItem(integerText(dayOfMonth));
    day.setText("1");
}

} // namespace ruvo
