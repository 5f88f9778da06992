#include "dialogs/label_fill.h"

#include "picture/document_file.h"
#include "sheet/sheet_rtf.h"

#include <QDir>
#include <QFileInfo>
#include <QTextBlock>
#include <QTextDocument>

namespace {

// The face and size of the preview's first character, as the clipboard copy carries them.
sheet::RtfFace PreviewFace(const QTextDocument& preview) {
    QFont font = preview.defaultFont();
    const QTextBlock first = preview.firstBlock();
    if (first.isValid() && !first.begin().atEnd()) {
        font = first.begin().fragment().charFormat().font().resolve(font);
    }
    const QStringList families = font.families();
    return {families.isEmpty() ? font.family() : families.front(), font.pointSizeF()};
}

} // namespace

bool CanFillTemplate(const QString& templateFile) {
    return sheet::FindStockByTemplate(templateFile) != nullptr;
}

Result<QString> WriteFilledTemplate(const QString& folder, const QString& templateFile,
                                    const QTextDocument& preview) {
    const sheet::LabelStock* stock = sheet::FindStockByTemplate(templateFile);
    if (stock == nullptr) {
        return Failure{
            QStringLiteral("There is no stock sheet for the template %1").arg(templateFile)};
    }
    // The preview ends in two spaces after the barcode; in a centred label they would push it
    // off the middle.
    const QString barcode = preview.toPlainText().trimmed();
    const QStringList labels =
        barcode.isEmpty() ? QStringList() : QStringList(stock->labelsPerSheet(), barcode);
    const QString fileName = QFileInfo(templateFile).completeBaseName() + "-filled.rtf";
    const Result<> written = picture::WriteDocumentFile(
        QDir(folder).filePath(fileName), sheet::SheetRtf(*stock, labels, PreviewFace(preview)));
    if (!written) {
        return Failure{written.error()};
    }
    return fileName;
}
