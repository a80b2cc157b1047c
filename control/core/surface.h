#pragma once

#include "host/combo_box.h"
#include "host/command_button.h"
#include "host/frame.h"
#include "host/label.h"
#include "host/option_button.h"
#include "host/picture_box.h"
#include "host/timer.h"
#include "host/widget_host.h"

namespace ruvo {

// The control's surface: every widget of the tree, built into a host from the tree table, under
// the names the handlers use.
//
// Three columns of frames. Left: FrameLS (the mode, OptLMP/OptUS), FrameUS (the scan data,
// OptFB/OptDG with the week and day lists DDUSW/DDUSD), FrameQDOB (the question LabQDOB with
// OptYes/OptNo), FrameEDD (the result LabEDD). Middle: FrameDate (the LMP or scan date lists
// DDLSDateD/M/Y), FrameCBH (the measurement, OptCRL/OptBPD/OptHC, with DDVal and Labmm beside it),
// FrameDOB (the date-of-birth lists DDDOBDateD/M/Y), FrameGest (the result LabGest). Right:
// Picture1, then ComRestart, ComCalcEDD and ComCalcGest. Timer1 to Timer3 drive the prompts.
// Option buttons in one frame form one exclusive group.
struct Surface {
    explicit Surface(WidgetHost& host);
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    WidgetHost& host;

    Frame& FrameLS;
    OptionButton& OptLMP;
    OptionButton& OptUS;
    Frame& FrameCBH;
    OptionButton& OptCRL;
    OptionButton& OptBPD;
    OptionButton& OptHC;
    Frame& FrameEDD;
    Label& LabEDD;
    CommandButton& ComCalcEDD;
    CommandButton& ComRestart;
    Frame& FrameGest;
    Label& LabGest;
    CommandButton& ComCalcGest;
    ComboBox& DDVal;
    Frame& FrameQDOB;
    OptionButton& OptYes;
    OptionButton& OptNo;
    Label& LabQDOB;
    Timer& Timer1;
    Timer& Timer2;
    Timer& Timer3;
    Frame& FrameDate;
    ComboBox& DDLSDateY;
    ComboBox& DDLSDateD;
    ComboBox& DDLSDateM;
    Label& LabLSDateY;
    Label& LabLSDateD;
    Label& LabLSDateM;
    Frame& FrameDOB;
    ComboBox& DDDOBDateD;
    ComboBox& DDDOBDateY;
    ComboBox& DDDOBDateM;
    Label& LabDOBDateY;
    Label& LabDOBDateM;
    Label& LabDOBDateD;
    Frame& FrameUS;
    OptionButton& OptDG;
    OptionButton& OptFB;
    ComboBox& DDUSW;
    ComboBox& DDUSD;
    Label& LabUSW;
    Label& LabUSD;
    PictureBox& Picture1;
    Label& Labmm;
};

} // namespace ruvo
