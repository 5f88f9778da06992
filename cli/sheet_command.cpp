// stria93 sheet: whole label sheets from a list of data texts, as PDF or as an RTF document for
// a word processor; the list of stock sheets; the printer calibration page.
#include "cli/barcode_options.h"
#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/data_texts.h"
#include "cli/ending_signals.h"
#include "cli/gui_session.h"
#include "cli/output_text.h"
#include "cli/print_text.h"
#include "files/native_file_name.h"
#include "picture/document_file.h"
#include "sheet/label_fit.h"
#include "sheet/sheet_pdf.h"
#include "sheet/sheet_rtf.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <cmath>
#include <cstdio>
#include <deque>
#include <optional>

namespace cli {
namespace {

constexpr double PointsPerMm = 72 / 25.4;
// A printer that is further off than this needs mending, not compensating.
constexpr double LargestOffset = 72; // 1 inch
constexpr double SmallestScale = 0.5;
constexpr double LargestScale = 2;
constexpr int LargestCopies = 100000;

enum class SheetFormat { Pdf, Rtf };

struct SheetRequest {
    bool list = false;
    bool calibrate = false;
    const sheet::LabelStock* stock = nullptr;
    int start = 1;
    int copies = 1;
    BarcodeChoice barcode;
    sheet::PrinterAdjustment adjustment;
    bool adjusted = false;
    std::optional<picture::PrinterDots> printer; // none: exactly the point size
    bool quiet = false;
    QString output;
    SheetFormat format = SheetFormat::Pdf;
    Args data;
};

// The labels of one sheet file: each barcode shaped once, placed as often as asked.
struct FilledLabels {
    std::deque<picture::ShapedBarcode> barcodes; // stable addresses for the places
    std::vector<const picture::ShapedBarcode*> places;
    QStringList texts;
    bool anyRefused = false;
    bool read = true;
};

// "1.5mm", "-0.05in" or "2pt", in points.
std::optional<double> Length(const QString& text) {
    static const QRegularExpression pattern(QStringLiteral("^([+-]?\\d+(?:\\.\\d+)?)(mm|in|pt)$"));
    const QRegularExpressionMatch match = pattern.match(text.trimmed());
    if (!match.hasMatch()) {
        return std::nullopt;
    }
    const double value = match.captured(1).toDouble();
    const QString unit = match.captured(2);
    return unit == u"mm" ? value * PointsPerMm : unit == u"in" ? value * 72 : value;
}

// --stock, -o and the format the file's name asks for.
Result<> ReadStockAndFile(const CommandLine& line, SheetRequest& request) {
    const QString stockName = line.text(QStringLiteral("stock"));
    if (stockName.isEmpty()) {
        return Failure{
            QStringLiteral("missing --stock NAME ('stria93 sheet --list' shows the stocks)")};
    }
    request.stock = sheet::FindStock(stockName);
    if (request.stock == nullptr) {
        return Failure{
            QStringLiteral("there is no stock '%1' ('stria93 sheet --list' shows the stocks)")
                .arg(stockName)};
    }
    request.output = files::DecodeFileName(line.bytes(QStringLiteral("o")));
    if (request.output.isEmpty()) {
        return Failure{QStringLiteral("missing -o FILE")};
    }
    const QString suffix = QFileInfo(request.output).suffix().toLower();
    if (suffix != u"pdf" && suffix != u"rtf") {
        return Failure{
            QStringLiteral("name the sheet FILE.pdf or FILE.rtf, not '%1'").arg(request.output)};
    }
    request.format = suffix == u"pdf" ? SheetFormat::Pdf : SheetFormat::Rtf;
    return {};
}

// --start and --copies: where the first barcode goes and how often each is repeated.
Result<> ReadPlacing(const CommandLine& line, SheetRequest& request) {
    const int perSheet = request.stock->labelsPerSheet();
    const QString startText = line.text(QStringLiteral("start"));
    const auto start = WholeNumber(startText, 1, perSheet);
    if (!start) {
        return Failure{QStringLiteral("--start must be a label from 1 to %1 of %2, not '%3'")
                           .arg(perSheet)
                           .arg(request.stock->name, startText)};
    }
    request.start = *start;
    const Result<int> copies = WholeNumberOption(
        QStringLiteral("copies"), line.text(QStringLiteral("copies")), 1, LargestCopies);
    if (!copies) {
        return Failure{copies.error()};
    }
    request.copies = *copies;
    return {};
}

// --offset and --scale: the printer adjustment of a PDF sheet.
Result<> ReadAdjustment(const CommandLine& line, SheetRequest& request) {
    if (line.isSet(QStringLiteral("offset"))) {
        const QString offset = line.text(QStringLiteral("offset"));
        const QStringList parts = offset.split(u',');
        std::optional<double> x;
        std::optional<double> y;
        if (parts.size() == 2) {
            x = Length(parts[0]);
            y = Length(parts[1]);
        }
        if (!x || !y || std::abs(*x) > LargestOffset || std::abs(*y) > LargestOffset) {
            return Failure{QStringLiteral("--offset must be X,Y in mm, in or pt, each at most 1 in "
                                          "(for example 1.5mm,-0.8mm), not '%1'")
                               .arg(offset)};
        }
        request.adjustment.offset = QPointF(*x, *y);
        request.adjusted = true;
    }
    if (line.isSet(QStringLiteral("scale"))) {
        bool ok = false;
        const QString scaleText = line.text(QStringLiteral("scale"));
        const double scale = scaleText.toDouble(&ok);
        if (!ok || !(scale >= SmallestScale && scale <= LargestScale)) { // NaN too
            return Failure{
                QStringLiteral("--scale must be a factor from 0.5 to 2 (for example 0.985), "
                               "not '%1'")
                    .arg(scaleText)};
        }
        request.adjustment.scale = scale;
        request.adjusted = true;
    }
    return {};
}

Result<> ReadFaceOf(const CommandLine& line, SheetRequest& request) {
    Result<BarcodeChoice> barcode = ReadBarcodeOptions(line);
    if (!barcode) {
        return Failure{barcode.error()};
    }
    request.barcode = *barcode;
    Result<std::optional<picture::PrinterDots>> printer = ReadPrinterDots(line);
    if (!printer) {
        return Failure{printer.error()};
    }
    request.printer = *printer;
    return {};
}

Result<SheetRequest> ReadSheetRequest(const CommandLine& line) {
    SheetRequest request;
    request.list = line.isSet(QStringLiteral("list"));
    if (request.list) {
        return request;
    }
    request.calibrate = line.isSet(QStringLiteral("calibrate"));
    request.quiet = line.isSet(QStringLiteral("quiet"));
    request.data = line.data();
    for (const auto& read : {ReadStockAndFile, ReadFaceOf, ReadPlacing, ReadAdjustment}) {
        if (const Result<> done = read(line, request); !done) {
            return Failure{done.error()};
        }
    }
    if (request.format == SheetFormat::Rtf && (request.adjusted || request.calibrate)) {
        return Failure{
            QStringLiteral("--offset, --scale and --calibrate make PDF pages; an RTF sheet "
                           "is adjusted in the word processor")};
    }
    if (request.format == SheetFormat::Rtf) {
        if (PrinterDotsGiven(line)) {
            return Failure{QStringLiteral("--printer-dpi and --no-snap are for PDF sheets; the "
                                          "word processor sets an RTF sheet's barcodes")};
        }
        request.printer.reset();
    }
    if (request.calibrate && !request.data.empty()) {
        return Failure{QStringLiteral("--calibrate prints the label outlines and takes no data")};
    }
    return request;
}

QString PaperName(sheet::Paper paper) {
    return paper == sheet::Paper::A4 ? QStringLiteral("A4") : QStringLiteral("Letter");
}

void ListStocks() {
    const QList<int> widths = {7, 8, 7, 9, 18, 22, 22};
    auto row = [&](const QStringList& cells) {
        QString line;
        for (qsizetype i = 0; i < cells.size(); ++i) {
            line += i + 1 < cells.size() ? cells[i].leftJustified(widths[i]) : cells[i];
        }
        PrintLine(line);
    };
    row({QStringLiteral("Stock"), QStringLiteral("Paper"), QStringLiteral("Labels"),
         QStringLiteral("Grid"), QStringLiteral("Label size"), QStringLiteral("Margins left, top"),
         QStringLiteral("Pitch across, down"), QStringLiteral("Template")});
    for (const sheet::LabelStock& s : sheet::LabelStocks()) {
        auto in = [&](double points) { return sheet::InTableUnit(s, points); };
        row({s.name, PaperName(s.paper), QString::number(s.labelsPerSheet()),
             QStringLiteral("%1 x %2").arg(s.columns).arg(s.rows),
             QStringLiteral("%1 x %2 %3")
                 .arg(in(s.labelSize.width()), in(s.labelSize.height()), s.unit),
             QStringLiteral("%1, %2 %3").arg(in(s.firstLabel.x()), in(s.firstLabel.y()), s.unit),
             QStringLiteral("%1, %2 %3").arg(in(s.pitch.width()), in(s.pitch.height()), s.unit),
             s.templateFile});
    }
}

// Each data text shaped and checked against the label; a refused one is said and left out.
FilledLabels FillLabels(const SheetRequest& request, const GuiSession& session) {
    FilledLabels filled;
    filled.places.assign(request.start - 1, nullptr);
    filled.texts = QStringList(request.start - 1);
    const QString face = request.barcode.faceName();
    const double points = request.barcode.points;
    filled.read = ForEachDataText(request.data, [&](std::string_view text,
                                                    const std::string& where) {
        const Result<std::u16string> made = MakeOutputText(text, false);
        const QString barcodeString = made ? QString::fromStdU16String(*made) : QString();
        Result<picture::ShapedBarcode> shaped = Failure{made.error()};
        if (made) {
            shaped = picture::ShapedBarcode::Shape(face, barcodeString);
            if (const QString note = session.missingFaceNote(face); !shaped && !note.isEmpty()) {
                shaped = Failure{shaped.error() + QStringLiteral(" (%1)").arg(note)};
            }
        }
        if (shaped) {
            const sheet::LabelFit fit =
                sheet::FitOnLabel(*shaped, points, *request.stock, request.printer);
            if (!fit.fits) {
                shaped = Failure{QStringLiteral("%1 does not fit: %2")
                                     .arg(barcodeString, sheet::FitRefusal(fit, *request.stock))};
            }
        }
        if (!shaped) {
            filled.anyRefused = true;
            PrintError(QString::fromUtf8(where.c_str()) + shaped.error());
            return;
        }
        filled.barcodes.push_back(*shaped);
        for (int copy = 0; copy < request.copies; ++copy) {
            filled.places.push_back(&filled.barcodes.back());
            filled.texts << barcodeString;
        }
    });
    return filled;
}

int WriteCalibration(const SheetRequest& request) {
    const Result<> written =
        sheet::WriteCalibrationPdf(request.output, *request.stock, request.adjustment);
    if (!written) {
        PrintError(written.error());
        return ExitRefused;
    }
    ListPlacedFile(
        QStringLiteral("%1: calibration page for %2").arg(request.output, request.stock->name));
    return ExitOk;
}

} // namespace

const Command& SheetCommand() {
    static const Command command{
        QStringLiteral("sheet"),
        {{QStringLiteral("--stock NAME [--start N] [--copies K] [--style S] [--size L] "
                         "[--points N] [--printer-dpi N | --no-snap] [--offset X,Y] [--scale F] "
                         "[--quiet] -o FILE.pdf|FILE.rtf [DATA...]"),
          QStringLiteral("Fills the labels of a stock sheet, left to right and down, one barcode "
                         "per DATA (or per line of standard input), centred in its label, over as "
                         "many sheets as needed. A barcode too large for the label is refused "
                         "with the point size that would fit. PDF: US Letter or A4 as the stock, "
                         "the typeface embedded, every module a whole number of the printer's "
                         "dots (--printer-dpi, said on standard error). RTF: the stock's label "
                         "template with every label filled, for a word processor.")},
         {QStringLiteral("--list"),
          QStringLiteral("Lists the stock sheets: paper, labels, grid, label size, margins, "
                         "pitch, template.")},
         {QStringLiteral("--calibrate --stock NAME [--offset X,Y] [--scale F] -o FILE.pdf"),
          QStringLiteral("A page of label outlines with a cross at each centre and millimetre "
                         "rulers at the page's edges: print it, hold it against a real sheet and "
                         "read the offset.")}},
        {{QStringLiteral("stock"), QStringLiteral("the stock sheet, by its label number"),
          QStringLiteral("NAME")},
         {QStringLiteral("start"),
          QStringLiteral("leave the first N-1 labels of the first sheet empty"),
          QStringLiteral("N"), QStringLiteral("1")},
         {QStringLiteral("copies"), QStringLiteral("each barcode on K labels"), QStringLiteral("K"),
          QStringLiteral("1")},
         StyleOption(),
         SizeOption(),
         PointsOption(),
         PrinterDpiOption(),
         NoSnapOption(),
         {QStringLiteral("offset"),
          QStringLiteral("shift the PDF page for a printer that prints off place (1.5mm,-0.8mm; "
                         "mm, in or pt; whole printer dots unless --no-snap)"),
          QStringLiteral("X,Y")},
         {QStringLiteral("scale"),
          QStringLiteral("scale the PDF page for a printer that prints too large or small (the "
                         "barcodes keep their whole dots unless --no-snap)"),
          QStringLiteral("F")},
         {{QStringLiteral("o"), QStringLiteral("output")},
          QStringLiteral("the sheet file to write"),
          QStringLiteral("FILE")},
         QuietOption(QStringLiteral("no module width on standard error")),
         {QStringLiteral("list"), QStringLiteral("list the stock sheets")},
         {QStringLiteral("calibrate"), QStringLiteral("write the calibration page")}},
        {QStringLiteral("sheet --stock 5160 -o labels.pdf < parts.txt"),
         QStringLiteral("sheet --stock 5160 --printer-dpi 203 -o thermal.pdf < parts.txt"),
         QStringLiteral("sheet --stock L7160 --start 5 --copies 3 -o labels.rtf ABC123 'PART 7'"),
         QStringLiteral("sheet --calibrate --stock 5160 -o check.pdf"),
         QStringLiteral("sheet --list")}};
    return command;
}

int RunSheet(const Args& args) {
    CommandLine line(SheetCommand());
    if (const std::optional<int> done = line.parse(args)) {
        return *done;
    }
    const Result<SheetRequest> read = ReadSheetRequest(line);
    if (!read) {
        return CommandUsageError(SheetCommand(), read.error());
    }
    const SheetRequest& request = *read;
    if (request.list) {
        ListStocks();
        return ExitOk;
    }
    const GuiSession session;
    EndCleanlyOnSignals();
    RemoveStaleFilesBeside(request.output);
    if (request.calibrate) {
        return WriteCalibration(request);
    }
    const FilledLabels filled = FillLabels(request, session);
    if (filled.barcodes.empty()) {
        PrintError(QStringLiteral("stria93: sheet: no barcode to put on a label; %1 not written")
                       .arg(request.output));
        return ExitRefused;
    }
    const sheet::LabelStock& stock = *request.stock;
    const double points = request.barcode.points;
    if (request.printer && !request.quiet) {
        ReportSnappedSize(filled.barcodes.front(), points, *request.printer);
    }
    const Result<> written =
        request.format == SheetFormat::Pdf
            ? sheet::WriteSheetPdf(request.output, stock, filled.places, points, request.adjustment,
                                   request.printer)
            : picture::WriteDocumentFile(
                  request.output,
                  sheet::SheetRtf(stock, filled.texts, {request.barcode.faceName(), points}));
    if (!written) {
        PrintError(written.error());
        return ExitRefused;
    }
    const int perSheet = stock.labelsPerSheet();
    const int pages = static_cast<int>((filled.places.size() + perSheet - 1) / perSheet);
    ListPlacedFile(
        QStringLiteral("%1: %2 labels on %3 %4 of %5")
            .arg(request.output)
            .arg(filled.places.size() - (request.start - 1))
            .arg(pages)
            .arg(pages == 1 ? QStringLiteral("sheet") : QStringLiteral("sheets"), stock.name));
    return filled.read && !filled.anyRefused ? ExitOk : ExitRefused;
}

} // namespace cli
