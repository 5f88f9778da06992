// stria93 sheet: whole label sheets from a list of data texts, as PDF or as an RTF document for
// a word processor; the list of stock sheets; the printer calibration page.
#include "barcode_options.h"
#include "commands.h"
#include "data_texts.h"
#include "document_file.h"
#include "gui_session.h"
#include "label_fit.h"
#include "output_text.h"
#include "sheet_pdf.h"
#include "sheet_rtf.h"

#include <QCommandLineParser>
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
    QString output;
    SheetFormat format = SheetFormat::Pdf;
    QStringList data;
};

void Print(const QString& text) {
    std::fputs(text.toUtf8().constData(), stdout);
}

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

QString ParseSheetOptions(const Args& args, SheetRequest& request) {
    QCommandLineParser parser;
    AddBarcodeOptions(parser);
    parser.addOptions({
        {QStringLiteral("stock"), QStringLiteral("label sheet"), QStringLiteral("name")},
        {QStringLiteral("start"), QStringLiteral("first label"), QStringLiteral("N"),
         QStringLiteral("1")},
        {QStringLiteral("copies"), QStringLiteral("labels per text"), QStringLiteral("K"),
         QStringLiteral("1")},
        {QStringLiteral("offset"), QStringLiteral("printer offset"), QStringLiteral("X,Y")},
        {QStringLiteral("scale"), QStringLiteral("printer scale"), QStringLiteral("S")},
        {{QStringLiteral("o"), QStringLiteral("output")},
         QStringLiteral("file"),
         QStringLiteral("FILE")},
        {QStringLiteral("list"), QStringLiteral("list the stock sheets")},
        {QStringLiteral("calibrate"), QStringLiteral("calibration page")},
    });
    if (const QString error = ParseArguments(parser, args); !error.isEmpty()) {
        return error;
    }
    request.list = parser.isSet(QStringLiteral("list"));
    if (request.list) {
        return {};
    }
    request.calibrate = parser.isSet(QStringLiteral("calibrate"));
    request.data = parser.positionalArguments();

    const QString stockName = parser.value(QStringLiteral("stock"));
    if (stockName.isEmpty()) {
        return QStringLiteral("missing --stock NAME ('stria93 sheet --list' shows the stocks)");
    }
    request.stock = sheet::FindStock(stockName);
    if (request.stock == nullptr) {
        return QStringLiteral("there is no stock '%1' ('stria93 sheet --list' shows the stocks)")
            .arg(stockName);
    }

    request.output = parser.value(QStringLiteral("o"));
    if (request.output.isEmpty()) {
        return QStringLiteral("missing -o FILE");
    }
    const QString suffix = QFileInfo(request.output).suffix().toLower();
    if (suffix != u"pdf" && suffix != u"rtf") {
        return QStringLiteral("name the sheet FILE.pdf or FILE.rtf, not '%1'").arg(request.output);
    }
    request.format = suffix == u"pdf" ? SheetFormat::Pdf : SheetFormat::Rtf;

    if (const QString error = ReadBarcodeOptions(parser, request.barcode); !error.isEmpty()) {
        return error;
    }
    const int perSheet = request.stock->labelsPerSheet();
    const auto start = WholeNumber(parser.value(QStringLiteral("start")), 1, perSheet);
    if (!start) {
        return QStringLiteral("--start must be a label from 1 to %1 of %2, not '%3'")
            .arg(perSheet)
            .arg(request.stock->name, parser.value(QStringLiteral("start")));
    }
    request.start = *start;
    const auto copies = WholeNumber(parser.value(QStringLiteral("copies")), 1, LargestCopies);
    if (!copies) {
        return QStringLiteral("--copies must be a whole number from 1 to %1, not '%2'")
            .arg(LargestCopies)
            .arg(parser.value(QStringLiteral("copies")));
    }
    request.copies = *copies;

    if (parser.isSet(QStringLiteral("offset"))) {
        const QStringList parts = parser.value(QStringLiteral("offset")).split(u',');
        std::optional<double> x;
        std::optional<double> y;
        if (parts.size() == 2) {
            x = Length(parts[0]);
            y = Length(parts[1]);
        }
        if (!x || !y || std::abs(*x) > LargestOffset || std::abs(*y) > LargestOffset) {
            return QStringLiteral("--offset must be X,Y in mm, in or pt, each at most 1 in "
                                  "(for example 1.5mm,-0.8mm), not '%1'")
                .arg(parser.value(QStringLiteral("offset")));
        }
        request.adjustment.offset = QPointF(*x, *y);
        request.adjusted = true;
    }
    if (parser.isSet(QStringLiteral("scale"))) {
        bool ok = false;
        const double scale = parser.value(QStringLiteral("scale")).toDouble(&ok);
        if (!ok || scale < SmallestScale || scale > LargestScale) {
            return QStringLiteral("--scale must be a factor from 0.5 to 2 (for example 0.985), "
                                  "not '%1'")
                .arg(parser.value(QStringLiteral("scale")));
        }
        request.adjustment.scale = scale;
        request.adjusted = true;
    }
    if (request.format == SheetFormat::Rtf && (request.adjusted || request.calibrate)) {
        return QStringLiteral("--offset, --scale and --calibrate make PDF pages; an RTF sheet "
                              "is adjusted in the word processor");
    }
    if (request.calibrate && !request.data.isEmpty()) {
        return QStringLiteral("--calibrate prints the label outlines and takes no data");
    }
    return {};
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
        Print(line + u'\n');
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

} // namespace

int RunSheet(const Args& args) {
    SheetRequest request;
    if (const QString error = ParseSheetOptions(args, request); !error.isEmpty()) {
        return UsageError("sheet: " + error.toStdString());
    }
    if (request.list) {
        ListStocks();
        return ExitOk;
    }

    const GuiSession session;
    const sheet::LabelStock& stock = *request.stock;
    if (request.calibrate) {
        const QString error = sheet::WriteCalibrationPdf(request.output, stock, request.adjustment);
        if (!error.isEmpty()) {
            std::fprintf(stderr, "%s\n", error.toUtf8().constData());
            return ExitRefused;
        }
        Print(QStringLiteral("%1: calibration page for %2\n").arg(request.output, stock.name));
        return ExitOk;
    }

    const QString face = request.barcode.faceName();
    const double points = request.barcode.points;
    bool anyRefused = false;
    std::deque<picture::ShapedBarcode> barcodes; // stable addresses for the places
    std::vector<const picture::ShapedBarcode*> places(request.start - 1, nullptr);
    QStringList texts(request.start - 1);
    const bool read =
        ForEachDataText(request.data, [&](std::string_view text, const std::string& where) {
            const OutputText made = MakeOutputText(text, false);
            QString error = QString::fromStdString(made.error);
            const QString barcodeString = QString::fromStdU16String(made.text);
            picture::ShapedBarcode::Result shaped;
            if (made.ok) {
                shaped = picture::ShapedBarcode::Shape(face, barcodeString);
                if (!shaped.barcode) {
                    const QString note = session.missingFaceNote(face);
                    error = note.isEmpty() ? shaped.error
                                           : shaped.error + QStringLiteral(" (%1)").arg(note);
                }
            }
            if (shaped.barcode) {
                const sheet::LabelFit fit = sheet::FitOnLabel(*shaped.barcode, points, stock);
                if (!fit.fits) {
                    error = QStringLiteral("%1 does not fit: %2")
                                .arg(barcodeString, sheet::FitRefusal(fit, stock));
                }
            }
            if (!error.isEmpty()) {
                anyRefused = true;
                std::fprintf(stderr, "%s%s\n", where.c_str(), error.toUtf8().constData());
                return;
            }
            barcodes.push_back(*shaped.barcode);
            for (int copy = 0; copy < request.copies; ++copy) {
                places.push_back(&barcodes.back());
                texts << barcodeString;
            }
        });
    if (barcodes.empty()) {
        std::fprintf(stderr, "stria93: sheet: no barcode to put on a label; %s not written\n",
                     request.output.toUtf8().constData());
        return ExitRefused;
    }

    const QString error =
        request.format == SheetFormat::Pdf
            ? sheet::WriteSheetPdf(request.output, stock, places, points, request.adjustment)
            : picture::WriteDocumentFile(request.output,
                                         sheet::SheetRtf(stock, texts, {face, points}));
    if (!error.isEmpty()) {
        std::fprintf(stderr, "%s\n", error.toUtf8().constData());
        return ExitRefused;
    }
    const int perSheet = stock.labelsPerSheet();
    const int pages = static_cast<int>((places.size() + perSheet - 1) / perSheet);
    Print(QStringLiteral("%1: %2 labels on %3 %4 of %5\n")
              .arg(request.output)
              .arg(places.size() - (request.start - 1))
              .arg(pages)
              .arg(pages == 1 ? QStringLiteral("sheet") : QStringLiteral("sheets"), stock.name));
    return read && !anyRefused ? ExitOk : ExitRefused;
}

} // namespace cli
