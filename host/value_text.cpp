#include "host/value_text.h"

namespace ruvo {

std::string colorText(Color color) {
    static constexpr char digits[] = "0123456789ABCDEF";
    std::string text = "0x00000000";
    for (std::size_t i = text.size(); color != 0; color >>= 4)
        text[--i] = digits[color & 0xF];
    return text;
}

} // namespace ruvo
