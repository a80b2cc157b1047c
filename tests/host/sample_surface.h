#pragma once

#include "host/combo_box.h"
#include "host/command_button.h"
#include "host/event_trace.h"
#include "host/frame.h"
#include "host/label.h"
#include "host/option_button.h"
#include "host/timer.h"
#include "host/widget_host.h"

#include <string>

namespace ruvo::testing {

// A small surface in the shape of the control's: a mode group, a date frame whose month list
// rebuilds its day list, a question group, a button and a timer. Its handlers lean on the host
// rules the way the control's do, so tests can watch those rules at work.
struct SampleSurface {
    WidgetHost host{"Moravine"};
    Frame& frameLs = host.add<Frame>("FrameLS", host.control(), {.caption = "Mode"});
    OptionButton& optLmp = host.add<OptionButton>("OptLMP", frameLs, {.caption = "LMP-based"});
    OptionButton& optUs = host.add<OptionButton>("OptUS", frameLs, {.caption = "Ultrasound-based"});
    Frame& frameDate = host.add<Frame>("FrameDate", host.control());
    ComboBox& month = host.add<ComboBox>("DDLSDateM", frameDate);
    ComboBox& day = host.add<ComboBox>("DDLSDateD", frameDate);
    Frame& frameQdob = host.add<Frame>("FrameQDOB", host.control());
    OptionButton& optYes = host.add<OptionButton>("OptYes", frameQdob, {.caption = "Yes"});
    OptionButton& optNo = host.add<OptionButton>("OptNo", frameQdob, {.caption = "No"});
    Label& labEdd = host.add<Label>("LabEDD", host.control());
    CommandButton& calculate =
        host.add<CommandButton>("ComCalcEDD", host.control(), {.caption = "Calculate EDD"});
    Timer& timer = host.add<Timer>("Timer3", host.control());

    SampleSurface() {
        for (const char* name : {"January", "February", "April"})
            month.addItem(name);
        month.onClick = [this] {
            day.clear();
            const int length = month.text() == "February" ? 28 : month.text() == "April" ? 30 : 31;
            for (int i = 1; i <= length; ++i)
                day.addItem(std::to_string(i));
            day.setText("1");
        };
        day.onClick = [this] { optNo.setValue(true); };
        optUs.onClick = [this] {
            optUs.setValue(true);
            month.setText("January");
            frameDate.setCaption("Date of Ultrasound scan");
        };
        optLmp.onClick = [this] { frameDate.setCaption("Date of LMP"); };
        optNo.onClick = [this] { labEdd.setVisible(false); };
        optYes.onClick = [this] { labEdd.setVisible(true); };
    }
};

} // namespace ruvo::testing
