// Splits a stream into lines: LF or CRLF removed, a last line without newline kept.
#pragma once

#include <cstdio>
#include <functional>
#include <string_view>

namespace cli {

// Calls onLine(lineNumber, text) for every line of the stream, numbered from 1.
// Returns false when the stream could not be read.
bool ForEachLine(std::FILE* stream,
                 const std::function<void(std::size_t, std::string_view)>& onLine);

} // namespace cli
