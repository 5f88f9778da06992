#include "clipboard/copy_preview.h"

#include "clipboard/clipboard_payload.h"

#include <QClipboard>
#include <QMimeData>
#include <QTextCursor>
#include <QTextEdit>

namespace clipboard {

void CopyPreviewToClipboard(QTextEdit& preview, QClipboard& clipboard) {
    // A selected preview would show white bars on the selection colour.
    QTextCursor all(preview.document());
    all.select(QTextCursor::Document);
    clipboard.setMimeData(ClipboardPayload(all).release());
    QTextCursor cursor = preview.textCursor();
    cursor.clearSelection();
    preview.setTextCursor(cursor);
}

} // namespace clipboard
