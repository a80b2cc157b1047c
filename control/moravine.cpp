#include "control/moravine.h"

#include "control/core/startup.h"
#include "pickers/date_pickers.h"
#include "pickers/scan_value_pickers.h"
#include "workflow/birth_question.h"
#include "workflow/calculation_buttons.h"
#include "workflow/measurement_options.h"
#include "workflow/mode_options.h"
#include "workflow/prompt_timers.h"
#include "workflow/scan_data_options.h"

namespace ruvo {

Moravine::Moravine(const Clock& todaysClock) : ControlCore(todaysClock) {
    auto handler = [this](void (*function)(ControlCore&)) {
        return [this, function] { function(*this); };
    };
    Surface& s = surface;
    host.control().onInitialize = handler(Moravine_Initialize);
    s.ComRestart.onClick = handler(ComRestart_Click);

    s.OptLMP.onClick = handler(OptLMP_Click);
    s.OptUS.onClick = handler(OptUS_Click);
    s.OptFB.onClick = handler(OptFB_Click);
    s.OptDG.onClick = handler(OptDG_Click);
    s.OptCRL.onClick = handler(OptCRL_Click);
    s.OptBPD.onClick = handler(OptBPD_Click);
    s.OptHC.onClick = handler(OptHC_Click);
    s.OptYes.onClick = handler(OptYes_Click);
    s.OptNo.onClick = handler(OptNo_Click);
    s.Timer1.onTimer = handler(Timer1_Timer);
    s.Timer2.onTimer = handler(Timer2_Timer);
    s.Timer3.onTimer = handler(Timer3_Timer);

    s.DDLSDateM.onClick = handler(DDLSDateM_Click);
    s.DDLSDateD.onClick = handler(DDLSDateD_Click);
    s.DDLSDateY.onClick = handler(DDLSDateY_Click);
    s.DDDOBDateM.onClick = handler(DDDOBDateM_Click);
    s.DDDOBDateD.onClick = handler(DDDOBDateD_Click);
    s.DDDOBDateY.onClick = handler(DDDOBDateY_Click);
    s.DDUSW.onClick = handler(DDUSW_Click);
    s.DDUSD.onClick = handler(DDUSD_Click);
    s.DDVal.onClick = handler(DDVal_Click);

    s.ComCalcEDD.onClick = handler(ComCalcEDD_Click);
    s.ComCalcGest.onClick = handler(ComCalcGest_Click);
}

} // namespace ruvo
