#pragma once

#include "apps/drive/drive_actions.h"
#include "control/moravine.h"
#include "host/event_trace.h"

#include <functional>
#include <iosfwd>
#include <memory>
#include <string_view>

namespace ruvo {

// Runs the drive protocol on a live control, one command a line:
//
//   click NAME            the user's click on an option button or command button
//   pick NAME ITEM        the user's pick of the item ITEM (the rest of the line) in list NAME
//   tick NAME             one Timer event of Timer1, Timer2 or Timer3
//   get NAME.PROPERTY     Caption, Text, Visible, Enabled, Value, BackColor, Items or Focus
//   field NAME            EDDDate, DOBDate, ScanGestDays, DaysToEDD, Tick1..3, DOBFirstPick
//   call datenice DATE    the control's public method
//   trace on|off          print every property write and handler entry and exit as it happens
//
// Blank lines and lines starting with # are skipped, and spaces around the words do not count.
// A query (get, field, call) prints one line; an action prints nothing when it succeeds. A
// refused action, a handler's error or a malformed command prints one line "error: ..." and the
// session goes on. The whole line is read before anything is done, so a malformed command does
// nothing at all. Input quoted in an error shows its control characters escaped. The actions go
// through the given DriveActions; queries read the model.
class DriveSession {
  public:
    DriveSession(Moravine& control, DriveActions& actions, std::ostream& out);

    // Runs every line of in.
    void run(std::istream& in);
    // Runs one line.
    void execute(std::string_view line);

  private:
    // What a well-formed line does, ready to run; throws when the line is malformed.
    std::function<void()> parse(std::string_view line);
    Widget& widget(std::string_view name) const;
    std::function<std::string()> property(Widget&, std::string_view name) const;
    void report(const std::optional<RuntimeError>&);

    Moravine& m_control;
    DriveActions& m_actions;
    std::ostream& m_out;
    std::unique_ptr<EventTrace> m_trace;
};

} // namespace ruvo
