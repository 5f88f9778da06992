// What one copy of the preview puts on the clipboard.
#pragma once

#include <QStringList>
#include <memory>

class QMimeData;
class QTextCursor;

namespace clipboard {

// The RTF flavours carry the same bytes: LibreOffice on X11 asks for text/rtf or text/richtext,
// other programs for application/rtf. No image flavour, because some word processors would
// paste a picture of the text in preference to the text in its barcode face.
QStringList RtfMimeTypes();

// The selection as RTF, HTML and plain text in one QMimeData, ready for QClipboard::setMimeData.
std::unique_ptr<QMimeData> ClipboardPayload(const QTextCursor& selection);

} // namespace clipboard
