#include "barcode_picture.h"
#include "code93.h"
#include "commands.h"
#include "export_batch.h"
#include "export_font_size.h"
#include "install_paths.h"
#include "line_reader.h"
#include "native_file_name.h"
#include "output_text.h"
#include "picture_format.h"
#include "picture_writer.h"
#include "typeface_file.h"

#include <QDir>
#include <QFileInfo>
#include <cstdio>
#include <malloc.h>
#include <optional>
#include <string>
#include <unistd.h>

namespace cli {

namespace {

constexpr int BatchKeptMemory = 64 << 20;

std::string Utf8(const QString& text) {
    return text.toUtf8().toStdString();
}

struct ExportOptions {
    code93::Style style = code93::Style::HumanReadable;
    char16_t sizeLetter = u'd';
    std::string points = "24";
    int dpi = 600;
    std::optional<picture::PictureFormat> format;
    bool withSums = false;
    bool exact = false;
    double barReduction = 0;
    bool quiet = false;
    std::string output;
    std::vector<std::string> data;
};

// Parses the arguments; returns the usage error text, empty when they are fine.
std::string ParseExportOptions(const Args& args, ExportOptions& options) {
    bool outputGiven = false;
    bool optionsDone = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string arg = args[i];
        if (optionsDone || arg.size() < 2 || arg[0] != '-') {
            options.data.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsDone = true;
            continue;
        }
        if (arg == "--sums" || arg == "--exact" || arg == "--quiet") {
            (arg == "--sums"    ? options.withSums
             : arg == "--exact" ? options.exact
                                : options.quiet) = true;
            continue;
        }
        std::optional<std::string> value;
        if (const auto eq = arg.find('='); eq != std::string::npos && arg.starts_with("--")) {
            value = arg.substr(eq + 1);
            arg.resize(eq);
        }
        const bool takesValue = arg == "--style" || arg == "--size" || arg == "--points" ||
                                arg == "--dpi" || arg == "--format" || arg == "-o" ||
                                arg == "--bar-reduction";
        if (!takesValue) {
            return "unknown option '" + arg + "' (put -- before data that starts with -)";
        }
        if (!value) {
            if (i + 1 == args.size()) {
                return "option '" + arg + "' needs a value";
            }
            value = args[++i];
        }
        const std::string& v = *value;
        if (arg == "--style") {
            if (v != "standard" && v != "hr") {
                return "--style must be standard or hr, not '" + v + "'";
            }
            options.style = v == "hr" ? code93::Style::HumanReadable : code93::Style::Standard;
        } else if (arg == "--size") {
            if (v.size() != 1 || v[0] < 'a' || v[0] > 'f') {
                return "--size must be one of a, b, c, d, e, f, not '" + v + "'";
            }
            options.sizeLetter = static_cast<char16_t>(v[0]);
        } else if (arg == "--points") {
            options.points = v;
        } else if (arg == "--dpi") {
            if (v != "300" && v != "600" && v != "900" && v != "1200") {
                return "--dpi must be 300, 600, 900 or 1200, not '" + v + "'";
            }
            options.dpi = std::stoi(v);
        } else if (arg == "--bar-reduction") {
            bool ok = false;
            options.barReduction = QString::fromStdString(v).toDouble(&ok);
            if (!ok || !(options.barReduction >= 0)) {
                return "--bar-reduction must be a number of pixels of 0 or more, not '" + v + "'";
            }
        } else if (arg == "--format") {
            options.format = picture::FormatFromExtension(QString::fromStdString(v));
            if (!options.format || v.starts_with('.')) {
                return "--format must be bmp, gif, jpg or png, not '" + v + "'";
            }
        } else {
            options.output = v;
            outputGiven = true;
        }
    }
    if (!outputGiven || options.output.empty()) {
        return "missing -o FILE";
    }
    if (!options.format) {
        const QString suffix =
            QFileInfo(picture::DecodeFileName(QByteArray::fromStdString(options.output))).suffix();
        options.format = picture::FormatFromExtension(suffix);
        if (!options.format || suffix.isEmpty()) {
            return "cannot tell the picture format from '" + options.output +
                   "'; name it .bmp, .gif, .jpg or .png, or give --format";
        }
    }
    const auto fontSize = picture::GraphicFontSize(QString::fromStdString(options.points),
                                                   options.dpi, options.sizeLetter == u'a');
    if (!fontSize.error.isEmpty()) {
        return "--points: " + Utf8(fontSize.error);
    }
    if (options.exact && options.barReduction != static_cast<long long>(options.barReduction)) {
        return "--bar-reduction must be a whole number of pixels with --exact";
    }
    return {};
}

QString NumberedName(const QString& pattern, std::size_t n) {
    QString name = pattern;
    return name.replace(QStringLiteral("{n}"), QString::number(n));
}

// A file name as the list of written files shows it: its own bytes, with backslashes and control
// characters escaped C-style so that every name takes exactly one line.
std::string ListedName(const QString& fileName) {
    std::string listed;
    for (const char c : picture::EncodeFileName(fileName)) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\\') {
            listed += "\\\\";
        } else if (c == '\n') {
            listed += "\\n";
        } else if (c == '\t') {
            listed += "\\t";
        } else if (c == '\r') {
            listed += "\\r";
        } else if (byte < 0x20 || byte == 0x7f) {
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\x%02x", byte);
            listed += escaped;
        } else {
            listed += c;
        }
    }
    return listed;
}

picture::ExportRequest RequestFor(const ExportOptions& options, const QString& face,
                                  const QString& text) {
    picture::ExportRequest request{text, face, QString::fromStdString(options.points), options.dpi,
                                   options.sizeLetter == u'a'};
    request.exact = options.exact;
    request.barReduction = options.barReduction;
    return request;
}

// Tells the module width of whole-pixel exports once, before the first picture.
void ReportModule(const ExportOptions& options, const QString& face) {
    const picture::PictureLayout layout = picture::LayoutPicture(RequestFor(options, face, {}));
    if (layout.error.isEmpty()) {
        const double mils = layout.modulePixels * 1000.0 / options.dpi;
        std::fprintf(stderr, "stria93: modules of %g pixels, %.1f mil at %d dpi\n",
                     layout.modulePixels, mils, options.dpi);
    }
}

} // namespace

int RunExport(const Args& args) {
    if (IsVectorExport(args)) {
        return RunVectorExport(args);
    }
    ExportOptions options;
    if (const std::string error = ParseExportOptions(args, options); !error.empty()) {
        return UsageError("export: " + error);
    }
    const QString pattern = picture::ExportFileName(
        picture::DecodeFileName(QByteArray::fromStdString(options.output)), *options.format);
    const bool batch = options.data.size() != 1;
    if (batch && !pattern.contains(QStringLiteral("{n}"))) {
        return UsageError("export: with several data texts or standard input, FILE must "
                          "contain {n} (replaced by 1, 2, ...)");
    }

    const QString face =
        QString::fromStdU16String(code93::FaceName(options.style, options.sizeLetter));
    if (options.exact && !options.quiet) {
        ReportModule(options, face);
    }
    const ExportWork exportOne = [&](const ExportJob& job) {
        ExportOutcome outcome;
        const OutputText made = MakeOutputText(job.text, options.withSums);
        if (!made.ok) {
            outcome.failed = true;
            outcome.message = job.where + made.error;
            return outcome;
        }
        const picture::PictureLayout layout =
            picture::LayoutPicture(RequestFor(options, face, QString::fromStdU16String(made.text)));
        QString error = layout.error;
        const QString fileName = batch ? NumberedName(pattern, job.number) : pattern;
        if (error.isEmpty()) {
            picture::WriteResult written =
                picture::WritePicture(layout, *options.format, fileName,
                                      batch ? picture::Placement::Staged : picture::Placement::Now);
            error = written.error;
            outcome.staged = std::move(written.staged);
        }
        if (!error.isEmpty()) {
            if (picture::TypefaceFile(face).isEmpty()) {
                error += QStringLiteral(" (it is missing from the folder %1)")
                             .arg(QDir::toNativeSeparators(installpaths::FontDirectory()));
            }
            outcome.failed = true;
            outcome.message = job.where + picture::EncodeFileName(error).toStdString();
            return outcome;
        }
        outcome.written = ListedName(fileName);
        return outcome;
    };

    if (!batch) {
        const ExportOutcome outcome = exportOne({1, options.data.front(), {}});
        if (!outcome.written.empty()) {
            std::printf("%s\n", outcome.written.c_str());
        }
        if (!outcome.message.empty()) {
            std::fprintf(stderr, "%s\n", outcome.message.c_str());
        }
        return outcome.failed ? ExitRefused : ExitOk;
    }
    const JobSource source = [&](const JobSink& sink) {
        if (!options.data.empty()) {
            std::size_t number = 0;
            for (const std::string& text : options.data) {
                sink({++number, text, {}});
            }
            return true;
        }
        return ForEachLine(stdin, [&](std::size_t lineNumber, std::string_view line) {
            sink({lineNumber, std::string(line), "line " + std::to_string(lineNumber) + ": "});
        });
    };
    // Every picture takes and frees the same buffers, on several threads: keep freed memory in
    // the process rather than handing it back to the system after each picture.
    mallopt(M_TRIM_THRESHOLD, BatchKeptMemory);
    const bool progress = !options.quiet && ::isatty(STDERR_FILENO) != 0;
    const BatchResult result = RunExportBatch(source, exportOne, progress);
    if (result.inputFailed) {
        std::fprintf(stderr, "stria93: cannot read standard input\n");
    }
    return result.anyFailed || result.inputFailed ? ExitRefused : ExitOk;
}

} // namespace cli
