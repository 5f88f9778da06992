// Text inside an RTF document, escaped so that nothing in it can end or add RTF groups.
// Shared by the clipboard copy and the label sheets.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

namespace rtf {

// Appends text as RTF: \ { } escaped, a tab as \tab, line and paragraph separators as \line and
// \par, anything beyond ASCII as \uN, other control characters and Qt's object markers dropped.
void AppendEscapedText(QByteArray& out, QStringView text);

// A family name for the font table, where ';' ends a name and is written as a hex character.
QByteArray EscapedFontName(const QString& family);

} // namespace rtf
