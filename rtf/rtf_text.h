// Text inside an RTF document, escaped so that nothing in it can end or add RTF groups.
// Shared by the clipboard copy and the label sheets.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

namespace rtf {

// Appends text as RTF: \ { } escaped, a tab as \tab, line and paragraph separators as \line and
// \par, anything beyond ASCII as \uN (half a surrogate pair as U+FFFD), other control characters
// and Qt's object markers dropped.
void AppendEscapedText(QByteArray& out, QStringView text);

} // namespace rtf
