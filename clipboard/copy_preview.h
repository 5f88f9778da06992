// The preview box's copy, shared by the Copy button and the label dialog: the whole preview as
// the RTF-carrying payload on the clipboard. The clipboard is passed in so that tests can use the
// offscreen platform's own clipboard and never the desktop's.
#pragma once

class QClipboard;
class QTextEdit;

namespace clipboard {

// Copies the whole preview and leaves it without a selection.
void CopyPreviewToClipboard(QTextEdit& preview, QClipboard& clipboard);

} // namespace clipboard
