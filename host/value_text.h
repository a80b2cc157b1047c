#pragma once

#include "host/color.h"

#include <string>
#include <string_view>

namespace ruvo {

// The texts in which tools and traces show widget values.

// "True" or "False".
constexpr std::string_view boolText(bool value) {
    return value ? "True" : "False";
}

// "0x" and eight upper-case hex digits, as in 0x00C0E0FF.
std::string colorText(Color);

// A text from outside as messages and traces show it: on one line, with a backslash, a double
// quote and every control character escaped as in C (\\, \", \0, \n, \t, \x1b), so that a NUL
// byte or a newline in the input can neither cut a message short nor split it.
std::string escapedText(std::string_view);
// The same in double quotes: "OptLMP\0".
std::string quotedText(std::string_view);

} // namespace ruvo
