#include "cli/data_texts.h"

#include "cli/line_reader.h"

#include <cstdio>

namespace cli {

bool ForEachDataText(
    const Args& arguments,
    const std::function<void(std::string_view text, const std::string& where)>& use,
    const std::function<bool()>& stopReading) {
    if (!arguments.empty()) {
        for (const std::string& argument : arguments) {
            use(argument, std::string());
            if (stopReading && stopReading()) {
                break;
            }
        }
        return true;
    }
    const bool read = ForEachLine(
        stdin,
        [&](std::size_t lineNumber, std::string_view line) {
            use(line, "line " + std::to_string(lineNumber) + ": ");
        },
        stopReading);
    if (!read) {
        std::fprintf(stderr, "stria93: cannot read standard input\n");
    }
    return read;
}

} // namespace cli
