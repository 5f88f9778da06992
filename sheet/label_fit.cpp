#include "sheet/label_fit.h"

#include "encoding/point_size.h"

#include <cmath>

namespace sheet {

LabelFit FitOnLabel(const picture::ShapedBarcode& barcode, double points, const LabelStock& stock) {
    LabelFit fit;
    fit.barcode = QSizeF(barcode.width(points), barcode.cellHeight(points));
    fit.room = stock.safeRect(0).size();
    const double across = fit.room.width() / barcode.width(1);
    const double down = fit.room.height() / barcode.cellHeight(1);
    fit.largestPoints = static_cast<int>(std::floor(std::min(across, down)));
    fit.fits = fit.barcode.width() <= fit.room.width() && fit.barcode.height() <= fit.room.height();
    return fit;
}

QString FitRefusal(const LabelFit& fit, const LabelStock& stock) {
    const QString sizes =
        QStringLiteral("the barcode is %1 x %2 points, a label of %3 holds %4 x %5 points clear "
                       "of its edges")
            .arg(fit.barcode.width(), 0, 'f', 1)
            .arg(fit.barcode.height(), 0, 'f', 1)
            .arg(stock.name)
            .arg(fit.room.width(), 0, 'f', 1)
            .arg(fit.room.height(), 0, 'f', 1);
    return fit.largestPoints >= code93::SmallestPointSize
               ? QStringLiteral("%1; %2 points would fit (--points %2)")
                     .arg(sizes)
                     .arg(fit.largestPoints)
               : QStringLiteral("%1; no point size fits (choose a larger label)").arg(sizes);
}

} // namespace sheet
