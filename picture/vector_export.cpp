#include "picture/vector_export.h"

#include "picture/document_file.h"
#include "picture/picture_format.h"
#include "picture/shaped_barcode.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace picture {
namespace {

// PDF readers take no page side beyond 200 inches.
constexpr double MaxPdfSide = 14400;

// Shortest decimal form to a thousandth of a point, finer than any printer.
QByteArray Coordinate(double value) {
    QByteArray text = QByteArray::number(value, 'f', 3);
    while (text.endsWith('0')) {
        text.chop(1);
    }
    if (text.endsWith('.')) {
        text.chop(1);
    }
    return text == "-0" ? "0" : text;
}

QByteArray SvgPathData(const QPainterPath& path) {
    QByteArray d;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        switch (e.type) {
        case QPainterPath::MoveToElement:
            d += (d.isEmpty() ? "M" : "ZM");
            break;
        case QPainterPath::LineToElement:
            d += 'L';
            break;
        case QPainterPath::CurveToElement:
            d += 'C';
            break;
        case QPainterPath::CurveToDataElement:
            d += ' ';
            break;
        }
        d += Coordinate(e.x) + ' ' + Coordinate(e.y);
    }
    return d.isEmpty() ? d : d + 'Z';
}

QByteArray SvgDocument(const ShapedBarcode& barcode, const VectorRequest& request, double points,
                       QSizeF size, double raise) {
    const QByteArray w = Coordinate(size.width());
    const QByteArray h = Coordinate(size.height());
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" +
           w + "pt\" height=\"" + h + "pt\" viewBox=\"0 0 " + w + ' ' + h + "\">\n<title>" +
           request.text.toHtmlEscaped().toUtf8() + " (" +
           request.faceName.toHtmlEscaped().toUtf8() + ")</title>\n<rect width=\"" + w +
           "\" height=\"" + h + "\" fill=\"#fff\"/>\n" + "<path fill=\"#000\" d=\"" +
           SvgPathData(barcode.outline(points, QPointF(0, -raise))) + "\"/>\n</svg>\n";
}

} // namespace

QString VectorExtension(VectorFormat format) {
    return format == VectorFormat::Pdf ? QStringLiteral(".pdf") : QStringLiteral(".svg");
}

std::optional<VectorFormat> VectorFormatFromExtension(const QString& extension) {
    QString name = extension.toLower();
    if (name.startsWith(u'.')) {
        name.remove(0, 1);
    }
    for (const VectorFormat format : {VectorFormat::Pdf, VectorFormat::Svg}) {
        if (VectorExtension(format).mid(1) == name) {
            return format;
        }
    }
    return std::nullopt;
}

QString VectorFileName(const QString& fileName, VectorFormat format) {
    // The picture export's rule gives the name its own extension; swap that for the vector one.
    const PictureFormat any = PictureFormat::Png;
    return ExportFileName(fileName, any).chopped(FormatExtension(any).size()) +
           VectorExtension(format);
}

Result<QSizeF> WriteVectorPicture(const VectorRequest& request, VectorFormat format,
                                  const QString& fileName) {
    const Result<ShapedBarcode> shaped = ShapedBarcode::Shape(request.faceName, request.text);
    if (!shaped) {
        return Failure{shaped.error()};
    }
    const ShapedBarcode& barcode = *shaped;
    const double points = DrawnPoints(barcode, request.points, request.printer);
    const double cell = barcode.cellHeight(points);
    const double raise = request.sizeA ? cell / 4 : 0;
    const QSizeF size(barcode.width(points), cell - raise);
    if (format == VectorFormat::Pdf && (size.width() > MaxPdfSide || size.height() > MaxPdfSide)) {
        return Failure{QStringLiteral("The barcode would be %1 x %2 points; a PDF page is at most "
                                      "%3 points (200 inches) a side. Choose a smaller point size "
                                      "or SVG.")
                           .arg(size.width(), 0, 'f', 1)
                           .arg(size.height(), 0, 'f', 1)
                           .arg(MaxPdfSide)};
    }

    if (format == VectorFormat::Svg) {
        if (Result<> written =
                WriteDocumentFile(fileName, SvgDocument(barcode, request, points, size, raise));
            !written) {
            return Failure{written.error()};
        }
        return size;
    }
    // A PDF page has whole points a side: the barcode sits in the middle of the next larger one.
    const QSizeF page(std::ceil(size.width()), std::ceil(size.height()));
    QPointF middle((page.width() - size.width()) / 2, (page.height() - size.height()) / 2);
    if (request.printer) {
        middle = request.printer->cellCorner(middle);
    }
    const QPointF origin = middle - QPointF(0, raise);
    const Result<> written = WritePdfFile(
        fileName, QPageSize(page, QPageSize::Point), request.text, 1, [&](QPainter& painter, int) {
            painter.fillRect(QRectF(QPointF(0, 0), page), Qt::white);
            barcode.draw(painter, points, origin);
        });
    if (!written) {
        return Failure{written.error()};
    }
    return page;
}

} // namespace picture
