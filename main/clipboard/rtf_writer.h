// Rich Text Format for what the preview box copies: word processors on Linux keep the face and
// point size of each run from RTF, while Qt's own rich-text flavours lose them on paste.
#pragma once

#include <QByteArray>

class QTextCursor;
class QTextDocument;

namespace clipboard {

// The selected part of the cursor's document as one RTF document: a font table naming every
// run's family, and per run its face (\fN), size in half-points (\fsN), bold, italic and
// underline. Text is escaped so that nothing typed into the box can end or add RTF groups.
// An empty selection gives a valid document without text.
QByteArray RtfFromSelection(const QTextCursor& selection);

// The whole document, as a select-all would copy it.
QByteArray RtfFromDocument(const QTextDocument& document);

} // namespace clipboard
