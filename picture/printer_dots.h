// A printer's dot grid: one dot every 72/dpi points, counted from the page's corner. A barcode
// whose modules are whole dots and whose left edge lies on the grid prints every bar and space a
// whole number of dots wide; one whose edges fall between dots prints some one dot wider than
// others, and grades worse the fewer dots a module takes.
#pragma once

#include <QPointF>
#include <QString>
#include <optional>

namespace picture {

class ShapedBarcode;

inline constexpr int DefaultPrinterDpi = 300; // a 1/300-inch grid is exact at 300, 600 and 1200
inline constexpr int SmallestPrinterDpi = 100;
inline constexpr int LargestPrinterDpi = 2400;

class PrinterDots {
public:
    explicit PrinterDots(int dpi) : dpi_(dpi) {}

    int dpi() const { return dpi_; }
    double dot() const { return 72.0 / dpi_; } // in points
    // The grid line nearest to this length or place, in points from the page's corner.
    double onGrid(double points) const;
    QPointF onGrid(QPointF points) const { return {onGrid(points.x()), onGrid(points.y())}; }
    // The place for a text cell's top-left corner: on the grid, and a thousandth of a dot to the
    // right of its line. A PDF carries the glyphs' scale to nine digits, so a glyph's origin may
    // come out a hair left of its line, and a rasteriser that puts glyphs on the whole dot at or
    // left of their origin would draw that glyph a dot early.
    QPointF cellCorner(QPointF points) const { return onGrid(points) + QPointF(dot() / 1000, 0); }

private:
    int dpi_;
};

// A point size moved so that the barcode's modules are whole printer dots.
struct SnappedSize {
    double points = 0; // the size drawn
    int moduleDots = 0;
    int dpi = 0;

    double moduleMils() const { return moduleDots * 1000.0 / dpi; }
};

// The size whose module is the whole number of dots nearest to the module at points, never
// below one dot. The bars' height follows the size, so the face keeps its aspect.
SnappedSize SnapToDots(const ShapedBarcode& barcode, double points, const PrinterDots& dots);

// The size a barcode is drawn at: snapped to the printer's dots, or with none exactly points.
double DrawnPoints(const ShapedBarcode& barcode, double points,
                   const std::optional<PrinterDots>& printer);

// "modules of 3 dots, 10.0 mil at 300 dpi: the barcode is set at 22.5 points", for the note on
// standard error.
QString SnappedSizeNote(const SnappedSize& size);

} // namespace picture
