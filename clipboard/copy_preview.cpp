#include "clipboard/copy_preview.h"

#include "clipboard/clipboard_payload.h"

#include <QClipboard>
#include <QMimeData>
#include <QTextEdit>

namespace clipboard {

void CopyPreviewToClipboard(QTextEdit& preview, QClipboard& clipboard) {
    preview.selectAll();
    clipboard.setMimeData(ClipboardPayload(preview.textCursor()).release());
}

} // namespace clipboard
