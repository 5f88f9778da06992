// Export: the picture dialog, once there is a barcode to draw.
#include "dialogs/export_dialog.h"
#include "platform.h"
#include "stria_input.h"
#include "stria_input_wiring.h"

#include <QLineEdit>
#include <QPushButton>

void TStriaInput::BuildGraphicClick() {
    BarTextInput->setFocus();
    if (!made_) {
        ErrorDisplay(QStringLiteral("Error: Click the \"Make\" button before exporting a graphic"));
        return;
    }
    platform_.execDialog(*Convert2);
}

namespace {

void Wire(TStriaInput& w) {
    QObject::connect(w.BuildGraphic, &QPushButton::clicked, &w, &TStriaInput::BuildGraphicClick);
}

const bool wired = stria::RegisterWiring(&Wire);

} // namespace
