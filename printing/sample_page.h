// The sample page: a vendor header, a paragraph on Full ASCII, the barcode string and its face,
// and the barcode at six point sizes, placed on a grid of device pixels.
#pragma once

#include "result/result.h"

#include <QRect>
#include <QString>
#include <array>

class QPainter;
class QPrinter;

namespace printing {

// What the page shows, read from the main window when Sample is pressed.
struct SampleInput {
    QString outputBox; // the output box as displayed, sums included
    QString preview;   // the preview's text, drawn in the barcode face
    QString faceName;  // e.g. "Sample 93 d HR"
    bool sizeE = false;
    bool sizeF = false;
};

// Where items go, in device pixels from the top left of the printable area.
struct PageGrid {
    int rowPitch = 0;   // just under 1.2 times the height of a 12-point font
    int columnUnit = 0; // a tenth of an inch

    int top(int row) const { return row * rowPitch; }
    int textColumn() const { return 5 * columnUnit; }
    int barcodeColumn() const { return 15 * columnUnit; }
};

// The grid for a device, measured with a font of the given point size (12 on every printer).
PageGrid GridFor(int measuringPointSize, int dpiX, int dpiY);

inline constexpr int SizeCount = 6;
constexpr int SizePoints(int index) {
    return 16 + 4 * index;
}
// The rows of the six sizes; the larger faces E and F need more room between them.
std::array<int, SizeCount> SizeRows(bool sizeE, bool sizeF);

// Draws the whole page; fonts are sized so that a point is dpiY / 72 device pixels. Returns the
// rectangle its texts cover.
QRect DrawSamplePage(QPainter& painter, int dpiX, int dpiY, const SampleInput& input);

// What to tell the user before printing when the printer's printable area, as the print dialog
// left it, cannot hold the whole page; nothing when it can.
QString PaperTooSmallWarning(QPrinter& printer, const SampleInput& input);

// Prints the page as one untitled job on the printer as the print dialog left it; fails, saying
// why, when the printer could not take it.
Result<> PrintSamplePage(QPrinter& printer, const SampleInput& input);

} // namespace printing
