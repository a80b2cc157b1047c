#pragma once

#include <iosfwd>
#include <span>
#include <string_view>

namespace ruvo {

// ruvo drive [--today YYYY-MM-DD]: creates one control (its Initialize runs; the clock reads the
// given day, or the real date), then reads commands from in, one a line, until the end:
//
//   click NAME            the user's click on an option button or command button
//   pick NAME ITEM        the user's pick of the item ITEM (the rest of the line) in list NAME
//   tick NAME             one Timer event of Timer1, Timer2 or Timer3
//   get NAME.PROPERTY     Caption, Text, Visible, Enabled, Value, BackColor, Items or Focus
//   field NAME            EDDDate, DOBDate, ScanGestDays, DaysToEDD, Tick1..3, DOBFirstPick
//   call datenice DATE    the control's public method
//   trace on|off          print every property write and handler entry and exit as it happens
//
// Blank lines and lines starting with # are skipped. Actions print nothing when they succeed; a
// refused action, a handler's error or a malformed command prints one line "error: ..." and the
// session goes on. Returns 0 at the end of input, 2 for bad arguments (reported on err).
int runDrive(std::span<const std::string_view> arguments, std::istream& in, std::ostream& out,
             std::ostream& err);

} // namespace ruvo
