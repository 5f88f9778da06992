#include "picture/document_file.h"

#include "files/output_file.h"

#include <QPainter>
#include <QPdfWriter>

namespace picture {
namespace {

// Device pixels per inch; the painter is scaled so that one unit is one point.
constexpr int Resolution = 1200;

} // namespace

QFont PdfPageFont(const QString& family, double points) {
    QFont font(family);
    font.setPointSizeF(points * 72.0 / Resolution);
    return font;
}

Result<> WriteDocumentFile(const QString& fileName, const QByteArray& bytes) {
    files::OutputFile file(fileName);
    if (const Result<> opened = file.open(); !opened) {
        return Failure{files::CannotCreateFile(fileName, opened.error())};
    }
    file.device()->write(bytes);
    if (const Result<> committed = file.commit(); !committed) {
        return Failure{files::CannotCreateFile(fileName, committed.error())};
    }
    return {};
}

Result<> WritePdfFile(const QString& fileName, const QPageSize& pageSize, const QString& title,
                      int pageCount, const PageDrawer& drawPage) {
    files::OutputFile file(fileName);
    if (const Result<> opened = file.open(); !opened) {
        return Failure{files::CannotCreateFile(fileName, opened.error())};
    }
    {
        QPdfWriter writer(file.device());
        writer.setCreator(QStringLiteral("Stria"));
        writer.setTitle(title);
        writer.setResolution(Resolution);
        writer.setPageSize(pageSize);
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        QPainter painter;
        if (!painter.begin(&writer)) {
            return Failure{
                files::CannotCreateFile(fileName, QStringLiteral("The PDF writer did not start."))};
        }
        painter.scale(Resolution / 72.0, Resolution / 72.0);
        for (int page = 0; page < pageCount; ++page) {
            if (page > 0 && !writer.newPage()) {
                return Failure{
                    files::CannotCreateFile(fileName, QStringLiteral("The PDF writer failed."))};
            }
            painter.save();
            drawPage(painter, page);
            painter.restore();
        }
        if (!painter.end()) {
            return Failure{
                files::CannotCreateFile(fileName, QStringLiteral("The PDF writer failed."))};
        }
    }
    if (const Result<> committed = file.commit(); !committed) {
        return Failure{files::CannotCreateFile(fileName, committed.error())};
    }
    return {};
}

} // namespace picture
