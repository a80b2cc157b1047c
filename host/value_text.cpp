#include "host/value_text.h"

namespace ruvo {

std::string colorText(Color color) {
    static constexpr char digits[] = "0123456789ABCDEF";
    std::string text = "0x00000000";
    for (std::size_t i = text.size(); color != 0; color >>= 4)
        text[--i] = digits[color & 0xF];
    return text;
}

std::string escapedText(std::string_view text) {
    static constexpr char digits[] = "0123456789abcdef";
    std::string quoted;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
        case '\\':
            quoted += "\\\\";
            break;
        case '"':
            quoted += "\\\"";
            break;
        case '\0':
            quoted += "\\0";
            break;
        case '\n':
            quoted += "\\n";
            break;
        case '\r':
            quoted += "\\r";
            break;
        case '\t':
            quoted += "\\t";
            break;
        default:
            if (byte < 0x20 || byte == 0x7f) {
                quoted += "\\x";
                quoted += digits[byte >> 4];
                quoted += digits[byte & 0xF];
            } else {
                quoted += c;
            }
        }
    }
    return quoted;
}

std::string quotedText(std::string_view text) {
    return "\"" + escapedText(text) + "\"";
}

} // namespace ruvo
