#include "clipboard/clipboard_payload.h"

#include "clipboard/rtf_writer.h"

#include <QMimeData>
#include <QTextCursor>
#include <QTextDocumentFragment>

namespace clipboard {

QStringList RtfMimeTypes() {
    return {QStringLiteral("text/rtf"), QStringLiteral("application/rtf"),
            QStringLiteral("text/richtext")};
}

std::unique_ptr<QMimeData> ClipboardPayload(const QTextCursor& selection) {
    auto payload = std::make_unique<QMimeData>();
    // Without RTF, a word processor takes the HTML flavour, which carries any family name.
    if (const QByteArray rtf = RtfFromSelection(selection); !rtf.isEmpty()) {
        for (const QString& type : RtfMimeTypes()) {
            payload->setData(type, rtf);
        }
    }
    const QTextDocumentFragment fragment = selection.selection();
    payload->setHtml(fragment.toHtml());
    payload->setText(fragment.toPlainText());
    return payload;
}

} // namespace clipboard
