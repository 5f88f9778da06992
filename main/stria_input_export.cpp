// Export: the picture dialog, once there is a barcode to draw.
#include "dialogs/export_dialog.h"
#include "main/stria_input.h"
#include "platform/platform.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

void TStriaInput::BuildGraphicClick() {
    BarTextInput->setFocus();
    if (!made_) {
        ErrorDisplay(QStringLiteral("Error: Click the \"Make\" button before exporting a graphic"));
        return;
    }
    platform_.execDialog(*Convert2);
}

picture::ExportRequest TStriaInput::exportRequest() const {
    picture::ExportRequest request;
    request.outputText = BarTextOut->text();
    request.faceName = currentFaceName();
    request.pointSizeText = PointSize->currentText();
    request.sizeA = SizeA->isChecked();
    return request;
}
