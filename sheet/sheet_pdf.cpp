#include "sheet/sheet_pdf.h"

#include "picture/document_file.h"

#include <QPainter>

namespace sheet {
void PrinterAdjustment::apply(QPainter& painter) const {
    painter.translate(offset);
    painter.scale(scale, scale);
}

QPageSize PageSizeOf(const LabelStock& stock) {
    return QPageSize(stock.paper == Paper::A4 ? QPageSize::A4 : QPageSize::Letter);
}

namespace {

// The top-left corner of a barcode's cell of this size, centred in its label. Without a printer's
// dots the painter carries the adjustment; with them, the place is adjusted here and put on the
// grid.
QPointF CellCorner(const LabelStock& stock, int label, QSizeF cell,
                   const PrinterAdjustment& adjustment,
                   const std::optional<picture::PrinterDots>& printer) {
    const QPointF half(cell.width() / 2, cell.height() / 2);
    if (!printer) {
        return stock.labelRect(label).center() - half;
    }
    const QPointF offset = printer->onGrid(adjustment.offset);
    return printer->cellCorner(offset + stock.labelRect(label).center() * adjustment.scale - half);
}

} // namespace

Result<> WriteSheetPdf(const QString& fileName, const LabelStock& stock,
                       const std::vector<const picture::ShapedBarcode*>& places, double points,
                       const PrinterAdjustment& adjustment,
                       const std::optional<picture::PrinterDots>& printer) {
    const int perSheet = stock.labelsPerSheet();
    const int pages = std::max<int>(1, (static_cast<int>(places.size()) + perSheet - 1) / perSheet);
    const QString title = QStringLiteral("Labels %1").arg(stock.name);
    return picture::WritePdfFile(
        fileName, PageSizeOf(stock), title, pages, [&](QPainter& painter, int page) {
            if (!printer) {
                adjustment.apply(painter);
            }
            for (int label = 0; label < perSheet; ++label) {
                const std::size_t place = static_cast<std::size_t>(page) * perSheet + label;
                if (place >= places.size() || places[place] == nullptr) {
                    continue;
                }
                const picture::ShapedBarcode& barcode = *places[place];
                const double drawn = picture::DrawnPoints(barcode, points, printer);
                const QSizeF cell(barcode.width(drawn), barcode.cellHeight(drawn));
                barcode.draw(painter, drawn, CellCorner(stock, label, cell, adjustment, printer));
            }
        });
}

} // namespace sheet
