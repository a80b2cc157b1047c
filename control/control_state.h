#pragma once

#include "dating/date.h"

#include <cstdint>

namespace ruvo {

// The control's booleans are 16-bit: True is -1, False is 0.
inline constexpr std::int16_t True16 = -1;
inline constexpr std::int16_t False16 = 0;

// The fields the handlers share, created with the control and zero until Initialize runs.
struct ControlState {
    // True until the first date-of-birth month or day Click has run; while True such a Click
    // starts no prompt.
    std::int16_t DOBFirstPick = False16;
    // The EDD last calculated; today until the first "Calculate EDD".
    Date EDDDate = 0;
    // The date of birth last used; today until the first "Calculate gestation".
    Date DOBDate = 0;
    // The gestation on the scan date in days, unrounded.
    double ScanGestDays = 0;
    // Days from the scan date to the EDD.
    std::int16_t DaysToEDD = 0;
    // Ticks since each prompt last started (Timer1, Timer2, Timer3).
    std::int16_t Tick1 = 0;
    std::int16_t Tick2 = 0;
    std::int16_t Tick3 = 0;
};

} // namespace ruvo
