#pragma once

#include <iosfwd>
#include <span>
#include <string_view>

namespace ruvo {

// The ruvo command line, without the process around it: runs one command with its arguments
// (the program name left out), reading in where the command takes input, writes the answer to
// out and any error as one line to err, and returns the exit status (0 done, 2 refused).
int runRuvo(std::span<const std::string_view> arguments, std::istream& in, std::ostream& out,
            std::ostream& err);

} // namespace ruvo
