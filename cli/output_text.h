// What the window's output box would show for one UTF-8 data text, or why it refuses it.
#pragma once

#include "result/result.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace cli {

// The longest data text accepted, in bytes: far beyond any barcode a scanner reads, and small
// enough that encoding the longest one stays within a few tens of megabytes.
inline constexpr std::size_t MaxDataBytes = std::size_t{1} << 20;

// The barcode string, or with sums the string and the sums text; when refused, the message with
// control characters shown as U+0000.
Result<std::u16string> MakeOutputText(std::string_view utf8Data, bool withSums);

} // namespace cli
