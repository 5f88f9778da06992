#include "cli/message_text.h"

#include <cstdio>

namespace cli {
namespace {

void AppendCodePoint(std::string& out, unsigned code) {
    char text[8];
    std::snprintf(text, sizeof text, "U+%04X", code);
    out += text;
}

} // namespace

std::string ShowControlCharacters(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        const auto next = i + 1 < utf8.size() ? static_cast<unsigned char>(utf8[i + 1]) : 0u;
        if (byte < 0x20 || byte == 0x7F) {
            AppendCodePoint(out, byte);
        } else if (byte == 0xC2 && next >= 0x80 && next <= 0x9F) { // U+0080..U+009F
            AppendCodePoint(out, next);
            ++i;
        } else {
            out += static_cast<char>(byte);
        }
    }
    return out;
}

std::string ListedName(std::string_view name) {
    std::string listed;
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\\') {
            listed += "\\\\";
        } else if (c == '\n') {
            listed += "\\n";
        } else if (c == '\t') {
            listed += "\\t";
        } else if (c == '\r') {
            listed += "\\r";
        } else if (byte < 0x20 || byte == 0x7f) {
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\x%02x", byte);
            listed += escaped;
        } else {
            listed += c;
        }
    }
    return listed;
}

} // namespace cli
