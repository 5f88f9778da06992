#include "picture/printer_dots.h"

#include "picture/shaped_barcode.h"

#include <algorithm>
#include <cmath>

namespace picture {

double PrinterDots::onGrid(double points) const {
    return std::round(points * dpi_ / 72.0) * 72.0 / dpi_;
}

SnappedSize SnapToDots(const ShapedBarcode& barcode, double points, const PrinterDots& dots) {
    const double moduleAtOnePoint = barcode.moduleWidth(1) / dots.dot(); // in dots
    SnappedSize size;
    size.dpi = dots.dpi();
    if (!(moduleAtOnePoint > 0)) { // not a barcode face: nothing to snap
        size.points = points;
        return size;
    }
    size.moduleDots = std::max(1, static_cast<int>(std::lround(points * moduleAtOnePoint)));
    size.points = size.moduleDots / moduleAtOnePoint;
    return size;
}

double DrawnPoints(const ShapedBarcode& barcode, double points,
                   const std::optional<PrinterDots>& printer) {
    return printer ? SnapToDots(barcode, points, *printer).points : points;
}

QString SnappedSizeNote(const SnappedSize& size) {
    return QStringLiteral("modules of %1 %2, %3 mil at %4 dpi: the barcode is set at %5 points")
        .arg(size.moduleDots)
        .arg(size.moduleDots == 1 ? QStringLiteral("dot") : QStringLiteral("dots"))
        .arg(size.moduleMils(), 0, 'f', 1)
        .arg(size.dpi)
        .arg(QString::number(std::round(size.points * 100) / 100, 'g', 8));
}

} // namespace picture
