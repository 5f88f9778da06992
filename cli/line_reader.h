// Splits a stream into lines: LF or CRLF removed, a last line without newline kept.
#pragma once

#include <cstdio>
#include <functional>
#include <string_view>

namespace cli {

// Calls onLine(lineNumber, text) for every line of the stream, numbered from 1, until the end
// of the stream or until stopReading (when given) returns true after a line.
//
// Any input is read in constant memory, because a line is kept only as far as decides its fate:
// up to and including its first character that barcode data cannot hold (which refuses it), and
// at most MaxDataBytes + 2 bytes (too long: refused). The rest of such a line is read and dropped.
//
// Returns false when the stream could not be read.
bool ForEachLine(std::FILE* stream,
                 const std::function<void(std::size_t, std::string_view)>& onLine,
                 const std::function<bool()>& stopReading = {});

} // namespace cli
