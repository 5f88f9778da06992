#include "sheet/label_fit.h"

#include "encoding/point_size.h"

#include <cmath>

namespace sheet {
namespace {

QSizeF CellAt(const picture::ShapedBarcode& barcode, double points) {
    return {barcode.width(points), barcode.cellHeight(points)};
}

bool Within(QSizeF size, QSizeF room) {
    return size.width() <= room.width() && size.height() <= room.height();
}

} // namespace

LabelFit FitOnLabel(const picture::ShapedBarcode& barcode, double points, const LabelStock& stock,
                    const std::optional<picture::PrinterDots>& printer) {
    LabelFit fit;
    fit.room = stock.safeRect(0).size();
    fit.barcode = CellAt(barcode, picture::DrawnPoints(barcode, points, printer));
    fit.fits = Within(fit.barcode, fit.room);
    const QSizeF atOnePoint = CellAt(barcode, 1);
    const double largest =
        std::min(fit.room.width() / atOnePoint.width(), fit.room.height() / atOnePoint.height());
    const double module = barcode.moduleWidth(1);
    if (!printer || !(module > 0)) {
        fit.largestPoints = static_cast<int>(std::floor(largest));
        return fit;
    }
    // Snapping moves a size by up to half a dot a module, either way.
    const double halfDot = 0.5 * printer->dot() / module;
    for (int p = static_cast<int>(std::ceil(largest + halfDot)); p >= 1; --p) {
        if (Within(CellAt(barcode, picture::DrawnPoints(barcode, p, printer)), fit.room)) {
            fit.largestPoints = p;
            break;
        }
    }
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
