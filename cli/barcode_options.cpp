#include "cli/barcode_options.h"

#include "cli/print_text.h"
#include "encoding/point_size.h"
#include "picture/shaped_barcode.h"

namespace cli {

QString BarcodeChoice::faceName() const {
    return QString::fromStdU16String(code93::FaceName(style, sizeLetter));
}

QCommandLineOption StyleOption() {
    return {QStringLiteral("style"),
            QStringLiteral("standard (bars only) or hr (Human Readable, the data under the bars)"),
            QStringLiteral("S"), QStringLiteral("hr")};
}

QCommandLineOption SizeOption() {
    return {QStringLiteral("size"), QStringLiteral("a (widest bars) to f (narrowest)"),
            QStringLiteral("L"), QStringLiteral("d")};
}

QCommandLineOption PointsOption() {
    return {QStringLiteral("points"), QStringLiteral("the point size, 24 unless given"),
            QStringLiteral("N"), QStringLiteral("24")};
}

QCommandLineOption PrinterDpiOption() {
    return {QStringLiteral("printer-dpi"),
            QStringLiteral("snap every module to whole dots of a printer of N dpi (203, 300, 600, "
                           "1200 or any from %1 to %2): the nearest point size whose modules are "
                           "whole dots, bars on the dot grid; the default 300 is exact on 300, "
                           "600 and 1200-dpi printers")
                .arg(picture::SmallestPrinterDpi)
                .arg(picture::LargestPrinterDpi),
            QStringLiteral("N"), QString::number(picture::DefaultPrinterDpi)};
}

QCommandLineOption NoSnapOption() {
    return {QStringLiteral("no-snap"),
            QStringLiteral("draw at exactly --points, modules not snapped to a printer's dots "
                           "(for a layout program that scales the barcode anyway)")};
}

std::optional<int> WholeNumber(const QString& text, int smallest, int largest) {
    bool ok = false;
    const int n = text.toInt(&ok, 10);
    if (!ok || n < smallest || n > largest) {
        return std::nullopt;
    }
    return n;
}

Result<int> WholeNumberOption(const QString& name, const QString& text, int smallest, int largest,
                              const QString& hint) {
    if (const std::optional<int> n = WholeNumber(text, smallest, largest)) {
        return *n;
    }
    return Failure{QStringLiteral("--%1 must be a whole number from %2 to %3%4, not '%5'")
                       .arg(name, QString::number(smallest), QString::number(largest), hint, text)};
}

Result<> ReadFace(const CommandLine& line, BarcodeChoice& choice) {
    const QString style = line.text(QStringLiteral("style"));
    const std::optional<code93::Style> named = code93::StyleNamed(style.toStdU16String());
    if (!named) {
        return Failure{QStringLiteral("--style must be standard or hr, not '%1'").arg(style)};
    }
    choice.style = *named;

    const QString size = line.text(QStringLiteral("size"));
    if (size.size() != 1 || !code93::IsSizeLetter(size[0].unicode())) {
        return Failure{
            QStringLiteral("--size must be one of a, b, c, d, e, f, not '%1'").arg(size)};
    }
    choice.sizeLetter = size[0].unicode();
    return {};
}

Result<BarcodeChoice> ReadBarcodeOptions(const CommandLine& line) {
    BarcodeChoice choice;
    if (const Result<> face = ReadFace(line, choice); !face) {
        return Failure{face.error()};
    }
    const Result<int> points = ReadPoints(line.text(QStringLiteral("points")));
    if (!points) {
        return Failure{points.error()};
    }
    choice.points = *points;
    return choice;
}

Result<int> ReadPoints(const QString& points) {
    return WholeNumberOption(QStringLiteral("points"), points, code93::SmallestPointSize,
                             code93::LargestPointSize);
}

bool PrinterDotsGiven(const CommandLine& line) {
    return line.isSet(QStringLiteral("printer-dpi")) || line.isSet(QStringLiteral("no-snap"));
}

Result<std::optional<picture::PrinterDots>> ReadPrinterDots(const CommandLine& line) {
    const bool given = line.isSet(QStringLiteral("printer-dpi"));
    if (line.isSet(QStringLiteral("no-snap"))) {
        if (given) {
            return Failure{QStringLiteral("--no-snap and --printer-dpi exclude each other")};
        }
        return std::optional<picture::PrinterDots>();
    }
    const Result<int> n =
        WholeNumberOption(QStringLiteral("printer-dpi"), line.text(QStringLiteral("printer-dpi")),
                          picture::SmallestPrinterDpi, picture::LargestPrinterDpi,
                          QStringLiteral(" (203, 300, 600 or 1200 for most printers)"));
    if (!n) {
        return Failure{n.error()};
    }
    return std::optional<picture::PrinterDots>(picture::PrinterDots(*n));
}

void ReportSnappedSize(const picture::ShapedBarcode& barcode, double points,
                       const picture::PrinterDots& printer) {
    PrintError(QStringLiteral("stria93: ") +
               picture::SnappedSizeNote(picture::SnapToDots(barcode, points, printer)));
}

} // namespace cli
