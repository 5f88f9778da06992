// Copy: the preview with its faces and sizes onto the clipboard, after the note on pasting.
#include "clipboard/copy_preview.h"
#include "dialogs/warning_box.h"
#include "main/stria_input.h"
#include "platform/platform.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>

void TStriaInput::CopyButtonClickClick() {
    if (!made_) {
        ErrorDisplay(QStringLiteral("Error: Nothing to copy to clip board"));
        return;
    }
    // However the note is closed, the copy follows.
    if (!WarningBox->suppressed()) {
        platform_.execDialog(*WarningBox);
    }
    clipboard::CopyPreviewToClipboard(*BarCodeOut, *QApplication::clipboard());
    BarTextInput->setFocus();
}
