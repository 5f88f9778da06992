// Whether a barcode fits on a label, clear of its edges by the stock's safe margin. A barcode
// that does not fit is refused, never shrunk: a shrunk barcode may not scan. The one rule for
// PDF sheets, RTF sheets and the label dialog's filled templates.
#pragma once

#include "picture/printer_dots.h"
#include "picture/shaped_barcode.h"
#include "sheet/label_stock.h"

#include <QSizeF>
#include <QString>
#include <optional>

namespace sheet {

struct LabelFit {
    bool fits = false;
    QSizeF barcode;        // its text cell at the size drawn, in points
    QSizeF room;           // the label less the safe margin all round
    int largestPoints = 0; // the largest whole point size that fits; 0 when none does
};

// At points, or at the size snapped to the printer's dots when one is given (which may be a
// little larger than points).
LabelFit FitOnLabel(const picture::ShapedBarcode& barcode, double points, const LabelStock& stock,
                    const std::optional<picture::PrinterDots>& printer = std::nullopt);

// Why it does not fit and what would: for the refusal message.
QString FitRefusal(const LabelFit& fit, const LabelStock& stock);

} // namespace sheet
