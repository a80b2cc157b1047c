#pragma once

#include <iosfwd>
#include <span>
#include <string_view>

namespace ruvo {

// ruvo drive [--today DATE]: creates one control (its Initialize runs; the clock reads the given
// day, or the real date) and runs the drive protocol (see DriveSession) on the commands read from
// in. Returns 0 at the end of input, 2 for bad arguments (reported on err).
int runDrive(std::span<const std::string_view> arguments, std::istream& in, std::ostream& out,
             std::ostream& err);

} // namespace ruvo
