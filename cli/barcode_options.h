// The options that choose a barcode's typeface and size, shared by the commands that draw:
// --style standard|hr, --size a..f, --points N.
#pragma once

#include "code93.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>

namespace cli {

struct BarcodeChoice {
    code93::Style style = code93::Style::HumanReadable;
    char16_t sizeLetter = u'd';
    int points = 24;

    QString faceName() const;
};

// Adds --style, --size and --points to the parser.
void AddBarcodeOptions(QCommandLineParser& parser);

// Reads them after parsing; returns the usage error text, empty when they are fine.
QString ReadBarcodeOptions(const QCommandLineParser& parser, BarcodeChoice& choice);

} // namespace cli
