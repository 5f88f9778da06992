// How stria93's commands print a QString: a whole line, UTF-8, on standard output through the
// checked stream, or on standard error.
#pragma once

#include <QString>

namespace cli {

void PrintLine(const QString& line);
void PrintError(const QString& line);

} // namespace cli
