// The barcode as a vector picture for print shops and layout programs: PDF (the typeface
// embedded) or SVG (the glyph outlines as paths, no font needed), at its true size in points.
#pragma once

#include "picture/printer_dots.h"
#include "result/result.h"

#include <QSizeF>
#include <QString>
#include <optional>

namespace picture {

enum class VectorFormat { Pdf, Svg };

// ".pdf" or ".svg".
QString VectorExtension(VectorFormat format);

// The format of this extension (with or without the dot, any case), if it is a vector one.
std::optional<VectorFormat> VectorFormatFromExtension(const QString& extension);

// The export's file-name rule with the vector format's extension.
QString VectorFileName(const QString& fileName, VectorFormat format);

struct VectorRequest {
    QString text;     // the barcode string (and sums text, if wanted)
    QString faceName; // by the face-name rule
    double points = 24;
    // Size a leaves the top quarter of its text cell empty; the picture leaves it out, as the
    // raster export does.
    bool sizeA = false;
    // The printer's dots the modules are snapped to (points moved to the nearest size whose
    // modules are whole dots, the symbol's left edge on the grid); none: exactly points.
    std::optional<PrinterDots> printer;
};

// Writes the picture under exactly this name; an existing file is replaced only by a complete
// new one. Needs a QGuiApplication. Gives the picture's size in points.
Result<QSizeF> WriteVectorPicture(const VectorRequest& request, VectorFormat format,
                                  const QString& fileName);

} // namespace picture
