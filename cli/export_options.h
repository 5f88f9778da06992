// stria93 export's options: one table for the raster formats and for PDF and SVG, read into the
// choices of one export.
#pragma once

#include "cli/barcode_options.h"
#include "cli/command_line.h"
#include "picture/picture_format.h"
#include "picture/vector_export.h"
#include "result/result.h"

#include <QByteArray>
#include <optional>

namespace cli {

struct ExportOptions {
    BarcodeChoice barcode; // the vector formats' whole-number point size included
    QString points = "24"; // the raster formats' point size as typed
    int dpi = 600;
    std::optional<picture::PictureFormat> raster; // one of the two is set
    std::optional<picture::VectorFormat> vector;
    std::optional<picture::PrinterDots> printer; // PDF and SVG: the dots to snap to, if any
    bool withSums = false;
    bool exact = false;
    bool trueSize = false;
    double barReduction = 0;
    bool quiet = false;
    QByteArray output; // -o FILE as given
    Args data;
};

// The options of a parsed export command line, or the usage error.
Result<ExportOptions> ReadExportOptions(const CommandLine& line);

// The usage error of a batch whose FILE has no {n}.
QString BatchNeedsNumbers();

// The batch's FILE pattern with {n} replaced by the data text's number.
QString NumberedName(const QString& pattern, std::size_t n);

// Writes the barcodes as PDF or SVG; the raster formats are RunExport's own.
int RunVectorExport(const ExportOptions& options);

} // namespace cli
