// The preview box's copy, shared by the Copy button and the label dialog: select all, then put
// the RTF-carrying payload on the clipboard. The clipboard is passed in so that tests can use the
// offscreen platform's own clipboard and never the desktop's.
#pragma once

class QClipboard;
class QTextEdit;

namespace clipboard {

// Leaves the whole preview selected, as a select-all and copy in the box itself would.
void CopyPreviewToClipboard(QTextEdit& preview, QClipboard& clipboard);

} // namespace clipboard
