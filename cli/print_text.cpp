#include "cli/print_text.h"

#include "cli/standard_output.h"

#include <cstdio>

namespace cli {

void PrintLine(const QString& line) {
    WriteStandardOutput((line + u'\n').toUtf8().toStdString());
}

void PrintError(const QString& line) {
    std::fputs((line + u'\n').toUtf8().constData(), stderr);
}

} // namespace cli
