// Where the help manual and the PDF manual are found. The names carry no folder, so a copy in
// the current folder wins; otherwise the installed documentation folder (or the build tree's
// when the program runs from it) provides them.
#pragma once

#include <QString>

namespace helpfiles {

inline constexpr char HelpManual[] = "stria.chm";
inline constexpr char PdfManual[] = "Strias.pdf";

// The absolute path of the first existing copy, or the bare name when there is none, so that
// the desktop's own failure to open it stays the only report.
QString Locate(const QString& name);

// The first page of the manual as HTML pages, for a desktop with no program for HelpManual.
QString HtmlManualIndex();

} // namespace helpfiles
