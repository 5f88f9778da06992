// stria93 verify: grades the Code 93 symbols of pictures and PDF pages by the ISO/IEC 15416
// method, so that a user learns whether what came out of their printer will scan.
#include "cli/barcode_options.h"
#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/print_text.h"
#include "cli/standard_output.h"
#include "cli/verify_report.h"
#include "files/native_file_name.h"
#include "verify/picture_pages.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace cli {
namespace {

constexpr int LowestDpi = 72;
constexpr int HighestDpi = 2400;
const QString GradeLetters = QStringLiteral("ABCDF");

struct VerifyRequest {
    std::optional<int> dpi;
    bool json = false;
    std::optional<double> minGrade; // the least grade that passes, 0 to 4
    QStringList files;
};

Result<VerifyRequest> ReadVerifyRequest(const CommandLine& line) {
    VerifyRequest request;
    request.json = line.isSet(QStringLiteral("json"));
    if (line.isSet(QStringLiteral("dpi"))) {
        const Result<int> dpi = WholeNumberOption(
            QStringLiteral("dpi"), line.text(QStringLiteral("dpi")), LowestDpi, HighestDpi);
        if (!dpi) {
            return Failure{dpi.error()};
        }
        request.dpi = *dpi;
    }
    if (line.isSet(QStringLiteral("min-grade"))) {
        const QString letter = line.text(QStringLiteral("min-grade")).toUpper();
        const qsizetype index = letter.size() == 1 ? GradeLetters.indexOf(letter) : -1;
        if (index < 0) {
            return Failure{QStringLiteral("--min-grade must be A, B, C, D or F, not '%1'")
                               .arg(line.text(QStringLiteral("min-grade")))};
        }
        // A is 3.5 and up, B 2.5, C 1.5, D 0.5, F anything.
        request.minGrade = index == 4 ? 0 : 3.5 - double(index);
    }
    for (const std::string& file : line.data()) {
        request.files << files::DecodeFileName(QByteArray::fromStdString(file));
    }
    if (request.files.isEmpty()) {
        return Failure{QStringLiteral("name the PICTURE files to verify")};
    }
    return request;
}

// Grades every page of the file; false when it could not be read, had a page without any
// symbol, or a symbol below the least grade.
bool VerifyFile(const VerifyRequest& request, const QString& file, QJsonArray& json) {
    bool passed = true;
    const Result<> read = verify::ForEachPage(
        file, request.dpi.value_or(verify::PdfResolution), [&](const verify::Page& p) {
            VerifiedPage page{file, p.number, !p.dpi.has_value(), p.dpi ? p.dpi : request.dpi, {}};
            page.symbols = verify::GradePicture(verify::ReflectanceImage(p.image));
            passed = passed && !page.symbols.empty();
            for (const verify::SymbolGrade& g : page.symbols) {
                passed = passed && (!request.minGrade || g.grade >= *request.minGrade);
            }
            if (request.json) {
                json.append(PageJson(page));
            } else {
                // One line at a time: a line's own control characters are shown escaped.
                for (const QString& line : PageReport(page)) {
                    PrintLine(line);
                }
            }
        });
    if (!read) {
        PrintError(QStringLiteral("stria93: verify: ") + read.error());
        return false;
    }
    return passed;
}

} // namespace

const Command& VerifyCommand() {
    static const Command command{
        QStringLiteral("verify"),
        {{QStringLiteral("[--dpi N] [--json] [--min-grade A|B|C|D|F] PICTURE..."),
          QStringLiteral(
              "Grades every Code 93 symbol found in each PICTURE (PNG, JPEG, BMP or GIF: an "
              "export, or a scan of a printed page or sheet) by the ISO/IEC 15416 method: ten "
              "scan lines over the middle 80 % of the bars, an aperture of 0.8 X, and the "
              "parameters decode, minimum reflectance, symbol contrast, edge contrast, "
              "modulation, defects and decodability, graded 4 to 0; the symbol's grade is the "
              "mean of its scan lines, A (3.5 and up) to F. Each symbol is given in reading "
              "order with its place, its data (shown only when both check characters hold), "
              "X, quiet zones, grade and worst parameter. A PDF is rasterised with pdftoppm at "
              "600 dpi (or --dpi), in grey. Upside-down symbols are found too. Scanned from paper, "
              "the grade is an indication of print quality, not a certified grade: a verifier "
              "with a calibrated light source and aperture gives that. Exit status: 0 when "
              "every picture holds symbols (with --min-grade, all at or above it), 1 when one "
              "holds none, cannot be read or has a symbol below --min-grade, 2 for a usage "
              "error.")}},
        {{QStringLiteral("dpi"),
          QStringLiteral("the pictures' resolution (72 to 2400), to give X in mils; a PDF is "
                         "rasterised at it, at 600 when not given"),
          QStringLiteral("N")},
         {QStringLiteral("json"), QStringLiteral("write the results as JSON, for scripts")},
         {QStringLiteral("min-grade"),
          QStringLiteral("exit with status 1 when any symbol grades below this letter"),
          QStringLiteral("L")}},
        {QStringLiteral("verify --dpi 600 scan.png"),
         QStringLiteral("verify --min-grade B labels.pdf"),
         QStringLiteral("verify --json label.png")}};
    return command;
}

int RunVerify(const Args& args) {
    CommandLine line(VerifyCommand());
    if (const std::optional<int> done = line.parse(args)) {
        return *done;
    }
    const Result<VerifyRequest> read = ReadVerifyRequest(line);
    if (!read) {
        return CommandUsageError(VerifyCommand(), read.error());
    }
    bool passed = true;
    QJsonArray json;
    for (const QString& file : read->files) {
        passed = VerifyFile(*read, file, json) && passed;
    }
    if (read->json) {
        WriteStandardOutput(QJsonDocument(json).toJson().toStdString());
    }
    return passed ? ExitOk : ExitRefused;
}

} // namespace cli
