// What the commands that draw share on their command lines: the parse, and the options that
// choose a barcode's typeface and size, --style standard|hr, --size a..f, --points N.
#pragma once

#include "code93.h"
#include "commands.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>
#include <optional>

namespace cli {

struct BarcodeChoice {
    code93::Style style = code93::Style::HumanReadable;
    char16_t sizeLetter = u'd';
    int points = 24;

    QString faceName() const;
};

// Parses a command's arguments (those after its name) with the options added to the parser;
// returns the usage error text, empty when they parse.
QString ParseArguments(QCommandLineParser& parser, const Args& args);

// The whole number in text when it lies from smallest to largest.
std::optional<int> WholeNumber(const QString& text, int smallest, int largest);

// Adds --style, --size and --points to the parser.
void AddBarcodeOptions(QCommandLineParser& parser);

// Reads them after parsing; returns the usage error text, empty when they are fine.
QString ReadBarcodeOptions(const QCommandLineParser& parser, BarcodeChoice& choice);

} // namespace cli
