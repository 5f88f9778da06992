// Labels: the label-template dialog, once there is a barcode to paste.
#include "dialogs/label_dialog.h"
#include "main/stria_input.h"
#include "platform/platform.h"

void TStriaInput::PrintLabelsClick() {
    if (made_) {
        platform_.execDialog(*Form3);
        return;
    }
    ErrorDisplay(QStringLiteral("Make a bar code before printing labels"));
}
