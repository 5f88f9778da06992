// Whole label sheets as PDF, and the calibration page that measures a printer against a sheet.
#pragma once

#include "picture/printer_dots.h"
#include "picture/shaped_barcode.h"
#include "result/result.h"
#include "sheet/label_stock.h"

#include <QPageSize>
#include <QPointF>
#include <QString>
#include <optional>
#include <vector>

class QPainter;

namespace sheet {

// What a printer needs to put the page where the sheet's labels are: everything on the page is
// scaled by scale about the page's top-left corner, then shifted by offset (in points).
struct PrinterAdjustment {
    QPointF offset;
    double scale = 1;

    void apply(QPainter& painter) const;
};

// Letter or A4, as the stock's paper.
QPageSize PageSizeOf(const LabelStock& stock);

// places holds one barcode per label in reading order, from the first label of the first page
// on; nullptr leaves its label empty. Each barcode is set at points, centred across and down in
// its label. As many pages as the places need.
// With a printer's dots, each barcode is set at the size snapped to them and its corner put on
// the dot grid nearest to the centred place; the offset moves the page by whole dots, and the
// scale moves the labels' places but not the barcodes, whose modules stay whole dots.
Result<> WriteSheetPdf(const QString& fileName, const LabelStock& stock,
                       const std::vector<const picture::ShapedBarcode*>& places, double points,
                       const PrinterAdjustment& adjustment,
                       const std::optional<picture::PrinterDots>& printer);

// One page: every label's outline with a cross at its centre, and a millimetre ruler along each
// edge of the page, numbered from the page's left and top edges.
Result<> WriteCalibrationPdf(const QString& fileName, const LabelStock& stock,
                             const PrinterAdjustment& adjustment);

} // namespace sheet
