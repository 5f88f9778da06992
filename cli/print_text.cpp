#include "cli/print_text.h"

#include "cli/message_text.h"
#include "cli/standard_output.h"
#include "files/native_file_name.h"

#include <cstdio>

namespace cli {

// EncodeFileName gives back the bytes of file names that are not UTF-8.
void PrintLine(const QString& line) {
    WriteStandardOutput(ListedName(files::EncodeFileName(line).toStdString()) + '\n');
}

void PrintError(const QString& line) {
    const std::string shown = ShowControlCharacters(files::EncodeFileName(line).toStdString());
    std::fprintf(stderr, "%s\n", shown.c_str());
}

} // namespace cli
