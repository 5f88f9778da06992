#include "dialogs/label_fill.h"

#include "picture/document_file.h"
#include "picture/shaped_barcode.h"
#include "sheet/label_fit.h"
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

// The preview ends in two spaces after the barcode; in a centred label they would push it off
// the middle.
QString PreviewBarcode(const QTextDocument& preview) {
    return preview.toPlainText().trimmed();
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
    const QString barcode = PreviewBarcode(preview);
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

Result<> CheckFillFits(const QString& templateFile, const QTextDocument& preview) {
    const sheet::LabelStock* stock = sheet::FindStockByTemplate(templateFile);
    const QString barcode = PreviewBarcode(preview);
    const sheet::RtfFace face = PreviewFace(preview);
    const Result<picture::ShapedBarcode> shaped =
        picture::ShapedBarcode::Shape(face.family, barcode);
    if (stock == nullptr || barcode.isEmpty() || !shaped) {
        return {}; // nothing to measure: the sheet is filled as it comes
    }
    const sheet::LabelFit fit = sheet::FitOnLabel(*shaped, face.points, *stock);
    if (fit.fits) {
        return {};
    }
    const bool mm = stock->unit == u"mm";
    auto inUnit = [&](QSizeF points) {
        const double perUnit = mm ? 72 / 25.4 : 72;
        return QStringLiteral("%1 x %2 %3")
            .arg(points.width() / perUnit, 0, 'f', mm ? 1 : 2)
            .arg(points.height() / perUnit, 0, 'f', mm ? 1 : 2)
            .arg(stock->unit);
    };
    const QString sizes =
        QStringLiteral("At %1 points this bar code is %2; a %3 label of %4 holds %5 clear "
                       "of its edges.")
            .arg(face.points)
            .arg(inUnit(fit.barcode), inUnit(stock->labelSize), stock->name, inUnit(fit.room));
    const QString advice =
        fit.largestPoints >= 1
            ? QStringLiteral("The largest point size that fits is %1: choose it, or a larger "
                             "label, and print the labels again.")
                  .arg(fit.largestPoints)
            : QStringLiteral("No point size fits: choose a larger label.");
    return Failure{sizes + u'\n' + advice};
}
