#include "cli/export_options.h"

#include "files/native_file_name.h"
#include "picture/export_font_size.h"

#include <QFileInfo>
#include <algorithm>

namespace cli {
namespace {

// The offered resolutions: "300|600|900|1200", or "300, 600, 900 or 1200" with the last
// separator given.
QString ResolutionList(const QString& separator, const QString& lastSeparator = QString()) {
    QString list;
    for (std::size_t i = 0; i < picture::Resolutions.size(); ++i) {
        if (i > 0) {
            const bool last = i + 1 == picture::Resolutions.size() && !lastSeparator.isNull();
            list += last ? lastSeparator : separator;
        }
        list += QString::number(picture::Resolutions[i].dpi);
    }
    return list;
}

// --format, or else the extension of -o's file name.
Result<> ReadFormat(const CommandLine& line, ExportOptions& options) {
    const bool given = line.isSet(QStringLiteral("format"));
    const QString name = given ? line.text(QStringLiteral("format"))
                               : QFileInfo(files::DecodeFileName(options.output)).suffix();
    if (!name.startsWith(u'.') && !name.isEmpty()) {
        options.raster = picture::FormatFromExtension(name);
        options.vector = picture::VectorFormatFromExtension(name);
    }
    if (options.raster || options.vector) {
        return {};
    }
    if (given) {
        return Failure{
            QStringLiteral("--format must be bmp, gif, jpg, png, pdf or svg, not '%1'").arg(name)};
    }
    return Failure{QStringLiteral("cannot tell the picture format from '%1'; name it .bmp, .gif, "
                                  ".jpg, .png, .pdf or .svg, or give --format")
                       .arg(QString::fromUtf8(options.output))};
}

// PDF and SVG hold the barcode at its true size: no pixels to choose.
Result<> ReadVectorOptions(const CommandLine& line, ExportOptions& options) {
    if (line.isSet(QStringLiteral("dpi"))) {
        return Failure{QStringLiteral("--dpi does not apply to PDF and SVG: they hold the barcode "
                                      "at its true size in points")};
    }
    if (options.exact || options.trueSize || line.isSet(QStringLiteral("bar-reduction"))) {
        return Failure{QStringLiteral("--exact, --true-size and --bar-reduction are for pixels; "
                                      "they do not apply to PDF and SVG")};
    }
    Result<BarcodeChoice> barcode = ReadBarcodeOptions(line);
    if (!barcode) {
        return Failure{barcode.error()};
    }
    options.barcode = *barcode;
    Result<std::optional<picture::PrinterDots>> printer = ReadPrinterDots(line);
    if (!printer) {
        return Failure{printer.error()};
    }
    options.printer = *printer;
    return {};
}

Result<> ReadRasterOptions(const CommandLine& line, ExportOptions& options) {
    if (PrinterDotsGiven(line)) {
        return Failure{QStringLiteral("--printer-dpi and --no-snap are for PDF and SVG; a "
                                      "picture's modules are whole pixels with --exact")};
    }
    Result<BarcodeChoice> barcode = ReadBarcodeOptions(line);
    if (!barcode) {
        return Failure{barcode.error()};
    }
    options.barcode = *barcode;
    const QString dpi = line.text(QStringLiteral("dpi"));
    if (std::none_of(picture::Resolutions.begin(), picture::Resolutions.end(),
                     [&](const picture::Resolution& r) { return QString::number(r.dpi) == dpi; })) {
        return Failure{QStringLiteral("--dpi must be %1, not '%2'")
                           .arg(ResolutionList(QStringLiteral(", "), QStringLiteral(" or ")), dpi)};
    }
    options.dpi = dpi.toInt();
    const QString reduction = line.text(QStringLiteral("bar-reduction"));
    bool ok = false;
    options.barReduction = reduction.toDouble(&ok);
    if (!ok || !(options.barReduction >= 0)) {
        return Failure{
            QStringLiteral("--bar-reduction must be a number of pixels of 0 or more, not '%1'")
                .arg(reduction)};
    }
    options.points = line.text(QStringLiteral("points"));
    const Result<int> fontSize =
        picture::GraphicFontSize(options.points, options.dpi, options.barcode.sizeLetter == u'a');
    if (!fontSize) {
        return Failure{QStringLiteral("--points: ") + fontSize.error()};
    }
    if (options.exact && options.barReduction != static_cast<long long>(options.barReduction)) {
        return Failure{
            QStringLiteral("--bar-reduction must be a whole number of pixels with --exact")};
    }
    return {};
}

} // namespace

const Command& ExportCommand() {
    static const Command command{
        QStringLiteral("export"),
        {{QStringLiteral("[--style standard|hr] [--size a|b|c|d|e|f] [--points N] [--dpi %1] "
                         "[--format bmp|gif|jpg|png|pdf|svg] [--sums] [--true-size] [--exact] "
                         "[--bar-reduction N] [--printer-dpi N | --no-snap] [--quiet] -o FILE "
                         "[DATA...]")
              .arg(ResolutionList(QStringLiteral("|"))),
          QStringLiteral(
              "Writes the barcode of DATA as a picture, drawn in the Sample 93 typeface of the "
              "style (default hr, Human Readable) and size letter (default d) at N points "
              "(default 24), scaled for the nominal resolution (default %1 dpi), black on "
              "white. The format comes from --format or else from FILE's extension, which is "
              "then set to match (label -> label.png). With several DATA, or none (standard "
              "input, one per line), FILE must contain {n}, replaced by 1, 2, ...; such a batch "
              "is drawn on all processor cores. Prints the name of each file written, in the "
              "order of the data (backslashes and control characters in a name escaped as \\\\, "
              "\\n, \\t, \\r or \\xHH). With --true-size the picture has the true size "
              "of N points at the resolution and stores it (PNG, JPG, BMP), so a word processor "
              "places it at N points. PDF and SVG (--format pdf|svg, or FILE.pdf, FILE.svg) "
              "hold the barcode at its size in points, the quiet zones included, no --dpi: N "
              "points moved to the nearest size whose modules are whole dots of the printer "
              "(--printer-dpi, said on standard error), or exactly N with --no-snap. SVG draws "
              "the glyph outlines as paths and needs no font; PDF embeds the typeface.")
              .arg(picture::DefaultDpi)}},
        {StyleOption(),
         SizeOption(),
         PointsOption(),
         {QStringLiteral("dpi"),
          QStringLiteral("the nominal resolution: ") +
              ResolutionList(QStringLiteral(", "), QStringLiteral(" or ")),
          QStringLiteral("N"), QString::number(picture::DefaultDpi)},
         {QStringLiteral("format"), QStringLiteral("bmp, gif, jpg, png, pdf or svg"),
          QStringLiteral("F")},
         {QStringLiteral("sums"),
          QStringLiteral("draw the sums text after the barcode string, as the window exports it")},
         {QStringLiteral("true-size"),
          QStringLiteral("draw the true point size at the resolution (pixels = points x dpi / 72) "
                         "rather than the nominal scale, and store the resolution in the file "
                         "(PNG, JPG and BMP; GIF has no room for it)")},
         {QStringLiteral("exact"),
          QStringLiteral("make every module a whole number of pixels: the largest font size at "
                         "or below the chosen one that allows it, drawn without smoothing (pure "
                         "black and white, 1 bit a pixel in PNG and BMP); tells the module width "
                         "in pixels and in mils on standard error")},
         {QStringLiteral("bar-reduction"),
          QStringLiteral("draw every bar N pixels narrower about its centre, against ink spread "
                         "(a whole number with --exact); refused if a bar would keep less than "
                         "1 pixel"),
          QStringLiteral("N"), QStringLiteral("0")},
         PrinterDpiOption(),
         NoSnapOption(),
         QuietOption(QStringLiteral(
             "no module width and no progress line (a batch on a terminal shows one)")),
         {QStringLiteral("o"), QStringLiteral("the file to write"), QStringLiteral("FILE")}},
        {QStringLiteral("export -o label.png ABC123"),
         QStringLiteral("export --style standard --size b --dpi 300 -o part.gif 'PART 7'"),
         QStringLiteral("export --exact --bar-reduction 1 -o crisp.png ABC123"),
         QStringLiteral("export -o 'label-{n}.png' < parts.txt"),
         QStringLiteral("export --true-size --dpi 300 -o label.png ABC123"),
         QStringLiteral("export --points 36 -o label.svg ABC123"),
         QStringLiteral("export --printer-dpi 203 -o thermal.pdf ABC123")}};
    return command;
}

QString BatchNeedsNumbers() {
    return QStringLiteral(
        "with several data texts or standard input, FILE must contain {n} (replaced by 1, 2, ...)");
}

QString NumberedName(const QString& pattern, std::size_t n) {
    QString name = pattern;
    return name.replace(QStringLiteral("{n}"), QString::number(n));
}

Result<ExportOptions> ReadExportOptions(const CommandLine& line) {
    ExportOptions options;
    options.output = line.bytes(QStringLiteral("o"));
    if (options.output.isEmpty()) {
        return Failure{QStringLiteral("missing -o FILE")};
    }
    options.withSums = line.isSet(QStringLiteral("sums"));
    options.exact = line.isSet(QStringLiteral("exact"));
    options.trueSize = line.isSet(QStringLiteral("true-size"));
    options.quiet = line.isSet(QStringLiteral("quiet"));
    options.data = line.data();
    if (const Result<> format = ReadFormat(line, options); !format) {
        return Failure{format.error()};
    }
    const Result<> read =
        options.vector ? ReadVectorOptions(line, options) : ReadRasterOptions(line, options);
    if (!read) {
        return Failure{read.error()};
    }
    return options;
}

} // namespace cli
