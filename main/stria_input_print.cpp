// Sample: the barcode at six point sizes on one printed page, under the vendor header.
#include "main/stria_input.h"
#include "platform/platform.h"
#include "printing/sample_page.h"

#include <QLineEdit>
#include <QRadioButton>
#include <QTextEdit>

void TStriaInput::PrintButtonClickClick() {
    BarTextInput->setFocus();
    if (!made_) {
        ErrorDisplay(QStringLiteral("Error: Must click \"Make\" before printing a sample"));
        return;
    }
    QPrinter& printer = PrintDialog1();
    if (!platform_.printDialog(&printer)) {
        return;
    }
    // The options as they stand now, even if they changed after the Make.
    const printing::SampleInput input{BarTextOut->text(), BarCodeOut->toPlainText(),
                                      currentFaceName(), SizeE->isChecked(), SizeF->isChecked()};
    if (const QString tooSmall = printing::PaperTooSmallWarning(printer, input);
        !tooSmall.isEmpty() &&
        !platform_.warningChoiceBeside(*this, tooSmall, QStringLiteral("Print anyway"))) {
        BarTextInput->setFocus();
        return;
    }
    // A printer that cannot take the page must not look like a printed one.
    if (const Result<> printed = printing::PrintSamplePage(printer, input); !printed) {
        platform_.errorDialog(printed.error());
    }
    BarTextInput->setFocus();
}
