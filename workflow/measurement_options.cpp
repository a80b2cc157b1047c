#include "workflow/measurement_options.h"

#include "dating/biometry.h"

namespace ruvo {

namespace {

void fillMeasurementList(ControlCore& control, Measurement measurement, std::string_view preset) {
    ComboBox& list = control.surface.DDVal;
    list.clear();
    for (const std::string& value : itemsOf(measurementRange(measurement)))
        list.addItem(value);
    list.setText(preset);
}

} // namespace

void OptCRL_Click(ControlCore& control) {
    fillMeasurementList(control, Measurement::CrownRumpLength, "33");
}

void OptBPD_Click(ControlCore& control) {
    fillMeasurementList(control, Measurement::BiparietalDiameter, "37");
}

void OptHC_Click(ControlCore& control) {
    fillMeasurementList(control, Measurement::HeadCircumference, "135");
}

} // namespace ruvo
