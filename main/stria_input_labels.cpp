// Labels: the label-template dialog, once there is a barcode to paste.
#include "dialogs/label_dialog.h"
#include "platform.h"
#include "stria_input.h"

void TStriaInput::PrintLabelsClick() {
    if (made_) {
        platform_.execDialog(*Form3);
        return;
    }
    ErrorDisplay(QStringLiteral("Make a bar code before printing labels"));
}
