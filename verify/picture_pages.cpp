#include "verify/picture_pages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QProcess>
#include <QTemporaryDir>

namespace verify {
namespace {

constexpr int PdfTimeoutMs = 120000;

bool IsPdf(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) && f.read(5) == "%PDF-";
}

Result<> RasterisePdf(const QString& file, int resolution,
                      const std::function<void(const Page&)>& use) {
    QTemporaryDir pages;
    if (!pages.isValid()) {
        return Failure{QStringLiteral("%1: no temporary folder for its pages").arg(file)};
    }
    QProcess pdftoppm;
    pdftoppm.start(QStringLiteral("pdftoppm"),
                   {QStringLiteral("-r"), QString::number(resolution), QStringLiteral("-gray"),
                    QStringLiteral("--"), file, pages.filePath(QStringLiteral("page"))});
    if (!pdftoppm.waitForStarted()) {
        return Failure{QStringLiteral("%1: cannot run pdftoppm to read the PDF (install "
                                      "poppler-utils)")
                           .arg(file)};
    }
    pdftoppm.waitForFinished(PdfTimeoutMs);
    if (pdftoppm.exitStatus() != QProcess::NormalExit || pdftoppm.exitCode() != 0) {
        return Failure{
            QStringLiteral("%1: pdftoppm could not read it: %2")
                .arg(file, QString::fromLocal8Bit(pdftoppm.readAllStandardError()).trimmed())};
    }
    // pdftoppm pads the page numbers to one width, so the names sort in page order.
    int number = 0;
    for (const QString& name :
         QDir(pages.path()).entryList({QStringLiteral("page*")}, QDir::Files, QDir::Name)) {
        QImageReader reader(pages.filePath(name));
        reader.setAllocationLimit(0);
        use({reader.read(), ++number, resolution});
    }
    return {};
}

} // namespace

Result<> ForEachPage(const QString& file, int pdfResolution,
                     const std::function<void(const Page&)>& use) {
    const QFileInfo info(file);
    if (!info.exists()) {
        return Failure{QStringLiteral("%1: no such file").arg(file)};
    }
    if (!info.isFile()) {
        return Failure{QStringLiteral("%1: not a regular file").arg(file)};
    }
    if (IsPdf(file)) {
        return RasterisePdf(file, pdfResolution, use);
    }
    QImageReader reader(file);
    reader.setAllocationLimit(0); // a 1200-dpi scan of a page is far beyond Qt's default limit
    QImage image = reader.read();
    if (image.isNull()) {
        return Failure{QStringLiteral("%1: not a picture this program reads (%2)")
                           .arg(file, reader.errorString())};
    }
    use({image, 1, std::nullopt});
    return {};
}

} // namespace verify
