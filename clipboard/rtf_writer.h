// Rich Text Format for what the preview box copies: word processors on Linux keep the face and
// point size of each run from RTF, while Qt's own rich-text flavours lose them on paste.
#pragma once

#include <QByteArray>
#include <QString>

class QTextCursor;

namespace clipboard {

// Whether an RTF font table can carry the family name as it is: readers take ';' as the end of a
// name and misread '{', '}' and '\\' there, and control characters and halves of surrogate pairs
// would not come back. The twelve barcode faces and the usual system faces all qualify.
bool CanNameFontInRtf(const QString& family);

// The selected part of the cursor's document as one 7-bit RTF document: a font table naming every
// run's family, and per run its face (\fN), size in half-points (\fsN), bold, italic and
// underline. Text is escaped so that nothing typed into the box can end or add RTF groups; half
// a surrogate pair is written as U+FFFD. An empty selection gives a valid document without text.
// Empty when a run's family cannot be named (CanNameFontInRtf): no RTF rather than a wrong face.
QByteArray RtfFromSelection(const QTextCursor& selection);

} // namespace clipboard
