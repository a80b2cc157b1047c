#include "control/core/control_state.h"

#include "dating/date_text.h"
#include "dating/numbers.h"
#include "host/value_text.h"

#include <algorithm>

namespace ruvo {

namespace {

std::string booleanText(std::int16_t value) {
    if (value == True16 || value == False16)
        return std::string(boolText(value == True16));
    return integerText(value);
}

std::string int16Text(std::int16_t value) {
    return integerText(value);
}

// Dates as 2006-10-26; one that holds a time of day, or lies outside the calendar, as its number.
std::string dateText(Date date) {
    try {
        if (dateFromCivil(civilFromDate(date)) == date)
            return isoDate(date);
    } catch (const RuntimeError&) {
    }
    return numberText(date);
}

} // namespace

ControlState::ControlState(WidgetHost& host)
    : DOBFirstPick(host, "DOBFirstPick", booleanText), EDDDate(host, "EDDDate", dateText),
      DOBDate(host, "DOBDate", dateText), ScanGestDays(host, "ScanGestDays", numberText),
      DaysToEDD(host, "DaysToEDD", int16Text), Tick1(host, "Tick1", int16Text),
      Tick2(host, "Tick2", int16Text), Tick3(host, "Tick3", int16Text) {}

std::array<const StateFieldView*, 8> ControlState::fields() const {
    return {&DOBFirstPick, &EDDDate, &DOBDate, &ScanGestDays, &DaysToEDD, &Tick1, &Tick2, &Tick3};
}

const StateFieldView* ControlState::field(std::string_view name) const {
    const auto all = fields();
    auto found = std::find_if(all.begin(), all.end(),
                              [&](const StateFieldView* field) { return field->name() == name; });
    return found == all.end() ? nullptr : *found;
}

} // namespace ruvo
