// The RTF that a select-all and copy of a whole document puts on the clipboard, taken the way
// the product makes it (the clipboard payload of the selection), for tests and fuzzers that build
// their own documents.
#pragma once

#include "clipboard/clipboard_payload.h"

#include <QByteArray>
#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

inline QByteArray CopiedRtf(const QTextDocument& document) {
    QTextCursor all(document.firstBlock());
    all.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    return clipboard::ClipboardPayload(all)->data(clipboard::RtfMimeTypes().first());
}
