// The options that choose a barcode's typeface and size, shared by the commands that draw:
// --style standard|hr, --size a..f, --points N.
#pragma once

#include "cli/command_line.h"
#include "encoding/code93.h"
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

// The whole number in text when it lies from smallest to largest.
std::optional<int> WholeNumber(const QString& text, int smallest, int largest);

// --style and --size into the choice.
Result<> ReadFace(const CommandLine& line, BarcodeChoice& choice);

// --style, --size and --points.
Result<BarcodeChoice> ReadBarcodeOptions(const CommandLine& line);

// The value of --points: a whole number of points from code93::SmallestPointSize to
// code93::LargestPointSize, as the window takes them.
Result<int> ReadPoints(const QString& points);

} // namespace cli
