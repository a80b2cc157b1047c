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

} // namespace ruvo
