// The calibration page: printed on plain paper and held against a real sheet, it shows how far
// the printer puts things from where the sheet's labels are.
#include "picture/document_file.h"
#include "sheet/sheet_pdf.h"

#include <QPainter>

namespace sheet {
namespace {

constexpr double Mm = 72 / 25.4;
constexpr double Hairline = 0.3; // points

// Ticks every millimetre, longer every 5 and numbered every 10, running from the page edge in.
void DrawRulers(QPainter& painter, QSizeF page) {
    painter.setFont(picture::PdfPageFont(QStringLiteral("Arial"), 5));
    auto tick = [](int mm) { return (mm % 10 == 0 ? 5 : mm % 5 == 0 ? 3.5 : 2) * Mm; };
    for (int mm = 0; mm * Mm <= page.width(); ++mm) {
        const double x = mm * Mm;
        painter.drawLine(QPointF(x, 0), QPointF(x, tick(mm)));
        painter.drawLine(QPointF(x, page.height()), QPointF(x, page.height() - tick(mm)));
        if (mm % 10 == 0 && mm > 0) {
            painter.drawText(QPointF(x + 0.5 * Mm, 5 * Mm), QString::number(mm));
            painter.drawText(QPointF(x + 0.5 * Mm, page.height() - 4 * Mm), QString::number(mm));
        }
    }
    for (int mm = 0; mm * Mm <= page.height(); ++mm) {
        const double y = mm * Mm;
        painter.drawLine(QPointF(0, y), QPointF(tick(mm), y));
        painter.drawLine(QPointF(page.width(), y), QPointF(page.width() - tick(mm), y));
        if (mm % 10 == 0 && mm > 0) {
            painter.drawText(QPointF(5.5 * Mm, y + 1 * Mm), QString::number(mm));
            painter.drawText(QPointF(page.width() - 9 * Mm, y + 1 * Mm), QString::number(mm));
        }
    }
}

void DrawLabels(QPainter& painter, const LabelStock& stock) {
    const double arm =
        std::min({3 * Mm, stock.labelSize.width() / 4, stock.labelSize.height() / 4});
    for (int label = 0; label < stock.labelsPerSheet(); ++label) {
        const QRectF rect = stock.labelRect(label);
        painter.drawRect(rect);
        const QPointF c = rect.center();
        painter.drawLine(c - QPointF(arm, 0), c + QPointF(arm, 0));
        painter.drawLine(c - QPointF(0, arm), c + QPointF(0, arm));
    }
}

} // namespace

Result<> WriteCalibrationPdf(const QString& fileName, const LabelStock& stock,
                             const PrinterAdjustment& adjustment) {
    const QSizeF page = stock.pageSize;
    const QString caption =
        QStringLiteral(
            "Calibration for %1: %2 labels of %3 x %4 %5. Offset %6 mm, %7 mm; scale %8. "
            "Hold against a sheet; the rulers count millimetres from the page's edges.")
            .arg(stock.name)
            .arg(stock.labelsPerSheet())
            .arg(InTableUnit(stock, stock.labelSize.width()),
                 InTableUnit(stock, stock.labelSize.height()), stock.unit)
            .arg(adjustment.offset.x() / Mm, 0, 'f', 2)
            .arg(adjustment.offset.y() / Mm, 0, 'f', 2)
            .arg(adjustment.scale);
    return picture::WritePdfFile(
        fileName, PageSizeOf(stock), QStringLiteral("Calibration %1").arg(stock.name), 1,
        [&](QPainter& painter, int) {
            adjustment.apply(painter);
            painter.setPen(QPen(Qt::black, Hairline));
            painter.setBrush(Qt::NoBrush);
            DrawLabels(painter, stock);
            DrawRulers(painter, page);
            painter.setFont(picture::PdfPageFont(QStringLiteral("Arial"), 7));
            // Over the lines rather than on a white ground, which would hide a label's edge.
            painter.drawText(QRectF(12 * Mm, 6 * Mm, page.width() - 24 * Mm, 3 * Mm),
                             Qt::AlignCenter, caption);
        });
}

} // namespace sheet
