#include "printing/sample_page.h"

#include "links/vendor_address.h"
#include "links/vendor_links.h"

#include <QDir>
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QPrinter>
#include <cmath>
#include <cstdlib>

namespace printing {

namespace {

const QString TextFace = QStringLiteral("Arial");

const char* const FullAsciiLines[] = {
    "Full ASCII decoding is an automatic function of your bar code reader. While bar code 93 only",
    "supports the characters A-Z, 0-9, space, and $%+-./ you can generate any ASCII character by",
    "using pairs of letters starting with one of the 4 special circle characters. Our Stria "
    "program",
    "will automatically do this for you if you type in any character outside the normal range.",
};

// number * numerator / denominator, rounded with halves away from zero.
int MulDiv(int number, int numerator, int denominator) {
    return static_cast<int>(std::llround(static_cast<double>(number) * numerator / denominator));
}

class PageWriter {
public:
    PageWriter(QPainter& painter, int dpiY, const PageGrid& grid)
        : painter_(painter), dpiY_(dpiY), grid_(grid) {}

    void select(const QString& family, int points) {
        // QFont points follow the device's own resolution; scale them to the page's.
        QFont font(family);
        font.setPointSizeF(static_cast<qreal>(points) * dpiY_ / painter_.device()->logicalDpiY());
        painter_.setFont(font);
    }

    // The text with the top of its cell on the row.
    void draw(int row, int x, const QString& text) {
        const QFontMetrics metrics = painter_.fontMetrics();
        painter_.drawText(QPoint(x, grid_.top(row) + metrics.ascent()), text);
        covered_ |= QRect(x, grid_.top(row), metrics.horizontalAdvance(text), metrics.height());
    }

    QRect covered() const { return covered_; }

private:
    QPainter& painter_;
    int dpiY_;
    PageGrid grid_;
    QRect covered_;
};

QString PrintFailure(const QPrinter& printer) {
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        return QStringLiteral("The sample page could not be written to \"%1\".")
            .arg(QDir::toNativeSeparators(printer.outputFileName()));
    }
    if (printer.printerName().isEmpty()) {
        return QStringLiteral("The sample page could not be printed: no printer is set up.");
    }
    return QStringLiteral("The sample page could not be printed on \"%1\".")
        .arg(printer.printerName());
}

} // namespace

PageGrid GridFor(int measuringPointSize, int dpiX, int dpiY) {
    const int height = std::abs(MulDiv(measuringPointSize, dpiY, 72));
    // Strictly less than 1.2 lines, so a multiple of 5 loses a pixel.
    const int rowPitch = height % 5 == 0 ? height * 6 / 5 - 1 : height * 6 / 5;
    return {rowPitch, std::abs(dpiX / 10)};
}

std::array<int, SizeCount> SizeRows(bool sizeE, bool sizeF) {
    std::array<int, SizeCount> rows{};
    int row = 19;
    for (int i = 0; i < SizeCount; ++i) {
        rows[i] = row;
        row += 2 + i / 2 + (sizeF ? 1 : 0) + (sizeE || sizeF ? 1 : 0);
    }
    return rows;
}

QRect DrawSamplePage(QPainter& painter, int dpiX, int dpiY, const SampleInput& input) {
    // The grid is measured with a 12-point face that is never drawn.
    const PageGrid grid = GridFor(QFont(QStringLiteral("Courier New"), 12).pointSize(), dpiX, dpiY);
    PageWriter page(painter, dpiY, grid);
    const int text = grid.textColumn();

    page.select(TextFace, 24);
    page.draw(2, text, QString::fromLatin1(vendor::Name));
    page.select(TextFace, 14);
    page.draw(
        4, text,
        QStringLiteral("%1, %2").arg(QLatin1String(vendor::Street), QLatin1String(vendor::Town)));
    page.select(TextFace, 12);
    page.draw(5, text,
              QStringLiteral("Phone %1  Fax %2")
                  .arg(QLatin1String(vendor::Phone), QLatin1String(vendor::Fax)));
    page.draw(6, text, vendor::SiteText());
    int row = 11;
    for (const char* line : FullAsciiLines) {
        page.draw(row++, text, QString::fromLatin1(line));
    }

    page.draw(16, text, QStringLiteral("Bar code 93 data: ") + input.outputBox);
    page.draw(17, text, QStringLiteral("Bar code 93 font: ") + input.faceName);

    const std::array<int, SizeCount> rows = SizeRows(input.sizeE, input.sizeF);
    for (int i = 0; i < SizeCount; ++i) {
        page.select(TextFace, 10);
        page.draw(rows[i], text, QStringLiteral("%1 points:").arg(SizePoints(i)));
        page.select(input.faceName, SizePoints(i));
        page.draw(rows[i], grid.barcodeColumn(), input.preview);
    }
    return page.covered();
}

QString PaperTooSmallWarning(QPrinter& printer, const SampleInput& input) {
    // Drawn where it cannot show, in the printer's device pixels, to learn the page's extent.
    QImage scratch(1, 1, QImage::Format_Mono);
    QPainter painter(&scratch);
    const QRect page = DrawSamplePage(painter, printer.logicalDpiX(), printer.logicalDpiY(), input);
    painter.end();
    const QRect printable = printer.pageLayout().paintRectPixels(printer.resolution());
    if (page.right() < printable.width() && page.bottom() < printable.height()) {
        return {};
    }
    const auto inches = [&printer](int pixels) {
        return QString::number(double(pixels) / printer.resolution(), 'f', 1);
    };
    return QStringLiteral("The sample page needs %1 x %2 inches, but the printable area of this "
                          "paper is %3 x %4 inches: the barcodes would be cut off at its edge.")
        .arg(inches(page.right() + 1), inches(page.bottom() + 1), inches(printable.width()),
             inches(printable.height()));
}

Result<> PrintSamplePage(QPrinter& printer, const SampleInput& input) {
    printer.setDocName(QString());
    QPainter painter;
    if (!painter.begin(&printer)) {
        return Failure{PrintFailure(printer)};
    }
    DrawSamplePage(painter, printer.logicalDpiX(), printer.logicalDpiY(), input);
    if (!painter.end()) {
        return Failure{PrintFailure(printer)};
    }
    return {};
}

} // namespace printing
