#include "verify/picture_pages.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace verify {
namespace {

constexpr int PdfTimeoutMs = 120000;

bool IsPdf(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) && f.read(5) == "%PDF-";
}

// Runs a poppler-utils program on the PDF, named by its absolute path so that no name reads as
// an option; its standard output, or why it failed.
Result<QByteArray> RunPoppler(const QString& program, const QStringList& arguments,
                              const QString& file) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForStarted()) {
        return Failure{QStringLiteral("%1: cannot run %2 to read the PDF (install poppler-utils)")
                           .arg(file, program)};
    }
    process.waitForFinished(PdfTimeoutMs);
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        return Failure{QStringLiteral("%1: %2 could not read it: %3")
                           .arg(file, program,
                                QString::fromLocal8Bit(process.readAllStandardError())
                                    .trimmed()
                                    .section(u'\n', -1))};
    }
    return process.readAllStandardOutput();
}

Result<int> PdfPageCount(const QString& file) {
    const Result<QByteArray> info =
        RunPoppler(QStringLiteral("pdfinfo"), {QFileInfo(file).absoluteFilePath()}, file);
    if (!info) {
        return Failure{info.error()};
    }
    static const QRegularExpression pages(QStringLiteral("^Pages:\\s+(\\d+)$"),
                                          QRegularExpression::MultilineOption);
    const QRegularExpressionMatch match = pages.match(QString::fromLatin1(*info));
    if (!match.hasMatch()) {
        return Failure{QStringLiteral("%1: pdfinfo gives no page count").arg(file)};
    }
    return match.captured(1).toInt();
}

// One page at a time, so that a long PDF never fills the temporary folder.
Result<> RasterisePdf(const QString& file, int resolution,
                      const std::function<void(const Page&)>& use) {
    const Result<int> count = PdfPageCount(file);
    if (!count) {
        return Failure{count.error()};
    }
    QTemporaryDir folder;
    if (!folder.isValid()) {
        return Failure{QStringLiteral("%1: no temporary folder for its pages").arg(file)};
    }
    const QString picture = folder.filePath(QStringLiteral("page"));
    for (int number = 1; number <= *count; ++number) {
        const QString page = QString::number(number);
        const Result<QByteArray> made =
            RunPoppler(QStringLiteral("pdftoppm"),
                       {QStringLiteral("-r"), QString::number(resolution), QStringLiteral("-gray"),
                        QStringLiteral("-f"), page, QStringLiteral("-l"), page,
                        QStringLiteral("-singlefile"), QFileInfo(file).absoluteFilePath(), picture},
                       file);
        if (!made) {
            return Failure{made.error()};
        }
        QImageReader reader(picture + QStringLiteral(".pgm"));
        reader.setAllocationLimit(0);
        use({reader.read(), number, resolution});
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
