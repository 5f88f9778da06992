// Messages that quote what the user gave: safe to print on a terminal and never cut short.
#pragma once

#include <string>
#include <string_view>

namespace cli {

// The UTF-8 text with every control character (below U+0020, U+007F to U+009F) written as
// "U+0000"-style text, so that a NUL cannot end a message and an ESC cannot reach the terminal.
// Other bytes, invalid UTF-8 included, pass unchanged.
std::string ShowControlCharacters(std::string_view utf8);

// A file name (its bytes) as the lists of written files show it: backslashes and control
// characters escaped C-style (\\, \n, \t, \r, \xHH), so that every name takes exactly one line
// and nothing reaches the terminal as a command.
std::string ListedName(std::string_view name);

} // namespace cli
