// Whether a barcode fits on a label, clear of its edges by the stock's safe margin. A barcode
// that does not fit is refused, never shrunk: a shrunk barcode may not scan.
#pragma once

#include "picture/shaped_barcode.h"
#include "sheet/label_stock.h"

#include <QSizeF>
#include <QString>

namespace sheet {

struct LabelFit {
    bool fits = false;
    QSizeF barcode;        // its text cell at the asked point size, in points
    QSizeF room;           // the label less the safe margin all round
    int largestPoints = 0; // the largest whole point size that fits; 0 when none does
};

LabelFit FitOnLabel(const picture::ShapedBarcode& barcode, double points, const LabelStock& stock);

// Why it does not fit and what would: for the refusal message.
QString FitRefusal(const LabelFit& fit, const LabelStock& stock);

} // namespace sheet
