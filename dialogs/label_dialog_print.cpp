// Print Labels: the barcode onto the clipboard, then the chosen label template opened in the
// word processor, where the user pastes it into the labels.
#include "copy_preview.h"
#include "data_folder.h"
#include "label_dialog.h"
#include "label_fill.h"
#include "platform.h"
#include "stria_input.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QRadioButton>
#include <QStringList>
#include <QTextEdit>

namespace {

QString Lines(std::initializer_list<const char*> lines) {
    QStringList joined;
    for (const char* line : lines) {
        joined.append(QString::fromLatin1(line));
    }
    return joined.join(QLatin1Char('\n'));
}

} // namespace

void TForm3::PrintLabelsClick() {
    platform::Platform& desktop = StriaInput.platform();
    clipboard::CopyPreviewToClipboard(*StriaInput.BarCodeOut, *QApplication::clipboard());
    StriaInput.BarTextInput->setFocus();

    const QString fileName = templateFileName();
    QString folder = settings::DataFolder(desktop.documentsFolder());
    const QString fullPath = folder + fileName;
    folder.chop(1);

    if (!QFileInfo(fullPath).isFile()) {
        const QString message =
            L9->isChecked() ? Lines({"You have not yet defined a custom template. Make your",
                                     "own label template, name the file custom.rtf, and place",
                                     "this file in the:", "%1 folder."})
                                  .arg(folder)
                            : Lines({"The label template %1 is missing from the folder", "%2",
                                     "Please re-install this product."})
                                  .arg(fileName, folder);
        StriaInput.warn(message);
        reject();
        return;
    }
    QString document = fileName;
    if (FillLabels->isChecked() && CanFillTemplate(fileName)) {
        const FilledTemplate filled =
            WriteFilledTemplate(folder, fileName, *StriaInput.BarCodeOut->document());
        if (!filled.error.isEmpty()) {
            desktop.errorDialog(filled.error);
            reject();
            return;
        }
        document = filled.fileName;
    }
    if (ExplainPaste->isChecked()) {
        StriaInput.warn(
            Lines({"To add your bar code to a label, place", "the cursor in any label on the form,",
                   "then on the menu bar click on Edit, Paste", "or just enter a Ctrl-V."}));
    }
    desktop.shellOpen(QStringLiteral("open"), document, folder);
    accept();
}

void TForm3::ExitLabelsClick() {
    StriaInput.BarTextInput->setFocus();
    reject();
}
