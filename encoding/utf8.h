// UTF-8 <-> UTF-16 for the command line, which reads and writes UTF-8.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace code93 {

// Nothing when the bytes are not valid UTF-8 (overlong forms, surrogates and values above
// U+10FFFF included).
std::optional<std::u16string> Utf8ToUtf16(std::string_view bytes);

// Lone surrogates become U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);

} // namespace code93
