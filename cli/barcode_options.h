// The options that choose a barcode's typeface and size, shared by the commands that draw:
// --style standard|hr, --size a..f, --points N; and for paper, the printer's dots the modules
// are snapped to: --printer-dpi N, --no-snap.
#pragma once

#include "cli/command_line.h"
#include "encoding/code93.h"
#include "picture/printer_dots.h"
#include "result/result.h"

#include <QCommandLineOption>
#include <QString>
#include <optional>

namespace cli {

struct BarcodeChoice {
    code93::Style style = code93::Style::HumanReadable;
    char16_t sizeLetter = u'd';
    int points = 24;

    QString faceName() const;
};

QCommandLineOption StyleOption();
QCommandLineOption SizeOption();
QCommandLineOption PointsOption();
QCommandLineOption PrinterDpiOption();
QCommandLineOption NoSnapOption();

// The whole number in text when it lies from smallest to largest.
std::optional<int> WholeNumber(const QString& text, int smallest, int largest);

// The value of the option --name as such a number, or the message that gives its range: "--name
// must be a whole number from smallest to largest[ hint], not 'text'".
Result<int> WholeNumberOption(const QString& name, const QString& text, int smallest, int largest,
                              const QString& hint = {});

// --style and --size into the choice.
Result<> ReadFace(const CommandLine& line, BarcodeChoice& choice);

// --style, --size and --points.
Result<BarcodeChoice> ReadBarcodeOptions(const CommandLine& line);

// The value of --points: a whole number of points from code93::SmallestPointSize to
// code93::LargestPointSize, as the window takes them.
Result<int> ReadPoints(const QString& points);

// --printer-dpi (default 300) and --no-snap: the dots to snap the modules to, or none.
Result<std::optional<picture::PrinterDots>> ReadPrinterDots(const CommandLine& line);

// Whether either of them was given.
bool PrinterDotsGiven(const CommandLine& line);

// Says on standard error what snapping made of the point size: "stria93: modules of 3 dots, ...".
void ReportSnappedSize(const picture::ShapedBarcode& barcode, double points,
                       const picture::PrinterDots& printer);

} // namespace cli
