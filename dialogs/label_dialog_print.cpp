// Print Labels: the barcode onto the clipboard, then the chosen label template opened in the
// word processor, where the user pastes it into the labels.
#include "clipboard/copy_preview.h"
#include "dialogs/label_dialog.h"
#include "dialogs/label_fill.h"
#include "platform/platform.h"
#include "settings/data_folder.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileInfo>
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
    clipboard::CopyPreviewToClipboard(preview_, *QApplication::clipboard());
    dataBox_.setFocus();

    const QString fileName = templateFileName();
    QString folder = settings::DataFolder(platform_.documentsFolder());
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
        platform_.warningBeside(mainWindow_, message);
        reject();
        return;
    }
    const QString document = documentToOpen(folder, fileName);
    if (document.isEmpty()) {
        reject();
        return;
    }
    if (ExplainPaste->isChecked()) {
        platform_.warningBeside(
            mainWindow_,
            Lines({"To add your bar code to a label, place", "the cursor in any label on the form,",
                   "then on the menu bar click on Edit, Paste", "or just enter a Ctrl-V."}));
    }
    platform_.shellOpen(document, folder);
    accept();
}

QString TForm3::documentToOpen(const QString& folder, const QString& fileName) {
    if (!FillLabels->isChecked() || !CanFillTemplate(fileName)) {
        return fileName;
    }
    if (const Result<> fits = CheckFillFits(fileName, *preview_.document()); !fits) {
        platform_.warningBeside(mainWindow_, fits.error());
        return {};
    }
    const Result<QString> filled = WriteFilledTemplate(folder, fileName, *preview_.document());
    if (!filled) {
        platform_.errorDialog(filled.error());
        return {};
    }
    return *filled;
}

void TForm3::ExitLabelsClick() {
    dataBox_.setFocus();
    reject();
}
