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

Result<> WriteSheetPdf(const QString& fileName, const LabelStock& stock,
                       const std::vector<const picture::ShapedBarcode*>& places, double points,
                       const PrinterAdjustment& adjustment) {
    const int perSheet = stock.labelsPerSheet();
    const int pages = std::max<int>(1, (static_cast<int>(places.size()) + perSheet - 1) / perSheet);
    const QString title = QStringLiteral("Labels %1").arg(stock.name);
    return picture::WritePdfFile(
        fileName, PageSizeOf(stock), title, pages, [&](QPainter& painter, int page) {
            adjustment.apply(painter);
            for (int label = 0; label < perSheet; ++label) {
                const std::size_t place = static_cast<std::size_t>(page) * perSheet + label;
                if (place >= places.size() || places[place] == nullptr) {
                    continue;
                }
                const picture::ShapedBarcode& barcode = *places[place];
                const QPointF centre = stock.labelRect(label).center();
                barcode.draw(painter, points,
                             centre -
                                 QPointF(barcode.width(points), barcode.cellHeight(points)) / 2);
            }
        });
}

} // namespace sheet
