// Where a command's data texts come from: its arguments, or without any, standard input, one
// data text per line.
#pragma once

#include "cli/commands.h"

#include <functional>
#include <string>
#include <string_view>

namespace cli {

// Calls use(text, where) for each data text in order, until stopReading (when given) returns
// true after one; where is "" for an argument and "line N: " for a line of standard input, to
// prefix the text's refusal with. Returns false, after saying so on standard error, when
// standard input could not be read.
bool ForEachDataText(
    const Args& arguments,
    const std::function<void(std::string_view text, const std::string& where)>& use,
    const std::function<bool()>& stopReading = {});

} // namespace cli
