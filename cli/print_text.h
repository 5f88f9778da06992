// How stria93's commands print a QString: a whole line, UTF-8 (file names keep their bytes), on
// standard output through the checked stream with control characters escaped as in a list of
// files, or on standard error with them shown as "U+0000"-style text.
#pragma once

#include <QString>

namespace cli {

void PrintLine(const QString& line);
void PrintError(const QString& line);

} // namespace cli
