#include "data_texts.h"

#include "line_reader.h"

#include <cstdio>

namespace cli {

bool ForEachDataText(
    const QStringList& arguments,
    const std::function<void(std::string_view text, const std::string& where)>& use) {
    if (!arguments.isEmpty()) {
        for (const QString& argument : arguments) {
            use(argument.toStdString(), std::string());
        }
        return true;
    }
    const bool read = ForEachLine(stdin, [&](std::size_t lineNumber, std::string_view line) {
        use(line, "line " + std::to_string(lineNumber) + ": ");
    });
    if (!read) {
        std::fprintf(stderr, "stria93: cannot read standard input\n");
    }
    return read;
}

} // namespace cli
