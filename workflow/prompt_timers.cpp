#include "workflow/prompt_timers.h"

#include "dating/numbers.h"

namespace ruvo {

namespace {

constexpr std::int16_t ticksPerPrompt = 4;

enum class Tick { Running, Last };

// Counts one tick of a prompt and switches its timer off on the last.
Tick countTick(StateField<std::int16_t>& counter, Timer& timer) {
    counter = toInt16(counter + 1);
    if (counter != ticksPerPrompt)
        return Tick::Running;
    timer.setEnabled(false);
    return Tick::Last;
}

} // namespace

void Timer1_Timer(ControlCore& control) {
    Surface& s = control.surface;
    const Tick tick = countTick(control.state.Tick1, s.Timer1);
    // Only the caption of "Yes" is tested; the question follows it.
    if (tick == Tick::Last || s.OptYes.caption().empty()) {
        s.OptYes.setCaption("Yes");
        s.LabQDOB.setCaption("Calculate length of gestation at birth?");
    } else {
        s.OptYes.setCaption("");
        s.LabQDOB.setCaption("");
    }
}

void Timer2_Timer(ControlCore& control) {
    Surface& s = control.surface;
    const Tick tick = countTick(control.state.Tick2, s.Timer2);
    if (tick == Tick::Last || s.ComCalcGest.caption().empty())
        s.ComCalcGest.setCaption("Calculate gestation");
    else
        s.ComCalcGest.setCaption("");
}

void Timer3_Timer(ControlCore& control) {
    Surface& s = control.surface;
    countTick(control.state.Tick3, s.Timer3);
    s.ComCalcEDD.setVisible(!s.ComCalcEDD.visible());
}

} // namespace ruvo
