#pragma once

#include "control/core/state_field.h"
#include "dating/date.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace ruvo {

// The control's booleans are 16-bit: True is -1, False is 0.
inline constexpr std::int16_t True16 = -1;
inline constexpr std::int16_t False16 = 0;

// The fields the handlers share, created with the control and zero until Initialize runs. Every
// write is reported to the host's observers (see StateField).
class ControlState {
  public:
    explicit ControlState(WidgetHost&);
    ControlState(const ControlState&) = delete;
    ControlState& operator=(const ControlState&) = delete;

    // True until the first date-of-birth month or day Click has run; while True such a Click
    // starts no prompt.
    StateField<std::int16_t> DOBFirstPick;
    // The EDD last calculated; today until the first "Calculate EDD".
    StateField<Date> EDDDate;
    // The date of birth last used; today until the first "Calculate gestation".
    StateField<Date> DOBDate;
    // The gestation on the scan date in days, unrounded.
    StateField<double> ScanGestDays;
    // Days from the scan date to the EDD.
    StateField<std::int16_t> DaysToEDD;
    // Ticks since each prompt last started (Timer1, Timer2, Timer3).
    StateField<std::int16_t> Tick1;
    StateField<std::int16_t> Tick2;
    StateField<std::int16_t> Tick3;

    // Every field, in the order above.
    std::array<const StateFieldView*, 8> fields() const;
    // The field of that name, or null.
    const StateFieldView* field(std::string_view name) const;
};

} // namespace ruvo
