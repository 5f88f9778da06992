// Standard output as a checked stream: a full disk, /dev/full or a closed pipe must end the
// program with a message and exit status 1, never with a silently short output.
#pragma once

#include <string_view>

namespace cli {

// Writes the bytes; false once standard output has failed (this or any earlier write).
bool WriteStandardOutput(std::string_view bytes);

// Flushes what stdio still holds; false once standard output has failed.
bool FlushStandardOutput();

// At exit: flushes and, when any write to standard output failed, prints
// "stria93: write error: <reason>" on standard error and returns 1; else returns exitCode.
int FinishStandardOutput(int exitCode);

} // namespace cli
