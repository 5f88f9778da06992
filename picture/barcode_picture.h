// The export picture: the text of the output box set in a barcode typeface, black on white,
// with margins set by the nominal resolution.
#pragma once

#include "picture/barcode_face.h"
#include "picture/glyph_image.h"
#include "result/result.h"

#include <QImage>
#include <QPoint>
#include <QSize>
#include <QString>
#include <vector>

namespace picture {

// What the export reads from the main window at the moment the picture is made.
struct ExportRequest {
    QString outputText;    // the output box as it stands, sums text included
    QString faceName;      // by the face-name rule of the current options
    QString pointSizeText; // the point-size box as typed
    int dpi = 600;         // 300, 600, 900 or 1200
    bool sizeA = false;
    // Only the command line sets these.
    bool exact = false;      // every module a whole number of pixels, no smoothing
    double barReduction = 0; // pixels taken off every bar, keeping its centre
    // The true point size at the resolution (pixels = points x dpi / 72, size a not halved),
    // and the resolution stored in the file, rather than the nominal scale.
    bool trueSize = false;
};

// Where everything goes, worked out before any pixel is drawn.
struct PictureLayout {
    QString text; // the output text without its leading blanks and control characters
    QString faceName;
    double pixelSize = 0; // the font's character height in pixels (whole unless exact or true size)
    double modulePixels = 0; // the narrowest bar at that size, before any reduction
    int cellHeight = 0;      // H: ascent + descent
    int textWidth = 0;       // W: advance width of the text
    int raise = 0;           // q: a quarter of H for size a, else 0
    QPoint cellOrigin;       // top-left corner of the text cell: (m, T - q)
    int baseline = 0;        // cellOrigin.y() + ascent
    QSize size;              // (W + 3 m) x (T + H - q + D)
    int dotsPerInch = 0;     // the resolution the file stores; 0: none
    RasterStyle style;
    std::vector<ShapedGlyph> glyphs; // the shaped text, positions from the cell's left edge
};

// Font pixels (character height) for a positive point size at 96 pixels per inch, rounded.
long long PointsToPixels(int points);

// The layout, or why the picture cannot be made.
Result<PictureLayout> LayoutPicture(const ExportRequest& request);

// The whole picture in memory (8-bit grey, white ground), for callers that want its pixels;
// files are written in bands by WritePicture without it.
Result<QImage> MakePicture(const ExportRequest& request);

} // namespace picture
