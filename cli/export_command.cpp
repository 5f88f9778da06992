#include "barcode_fonts.h"
#include "barcode_picture.h"
#include "code93.h"
#include "commands.h"
#include "export_font_size.h"
#include "line_reader.h"
#include "output_text.h"
#include "picture_format.h"
#include "picture_writer.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <cstdio>
#include <optional>
#include <string>

namespace cli {

namespace {

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
        if (arg == "--sums") {
            options.withSums = true;
            continue;
        }
        std::optional<std::string> value;
        if (const auto eq = arg.find('='); eq != std::string::npos && arg.starts_with("--")) {
            value = arg.substr(eq + 1);
            arg.resize(eq);
        }
        const bool takesValue = arg == "--style" || arg == "--size" || arg == "--points" ||
                                arg == "--dpi" || arg == "--format" || arg == "-o";
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
        const QString suffix = QFileInfo(QString::fromStdString(options.output)).suffix();
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
    return {};
}

QString NumberedName(const QString& pattern, std::size_t n) {
    QString name = pattern;
    return name.replace(QStringLiteral("{n}"), QString::number(n));
}

// A command-line program's standard error is for its own messages.
void DropQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) {
        std::fprintf(stderr, "%s\n", Utf8(message).c_str());
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
    const QString pattern =
        picture::ExportFileName(QString::fromStdString(options.output), *options.format);
    const bool batch = options.data.size() != 1;
    if (batch && !pattern.contains(QStringLiteral("{n}"))) {
        return UsageError("export: with several data texts or standard input, FILE must "
                          "contain {n} (replaced by 1, 2, ...)");
    }

    // No display needed: draw on the offscreen platform unless the caller chose one.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    qInstallMessageHandler(DropQtMessages);
    int argc = 1;
    char name[] = "stria93";
    char* argv[] = {name, nullptr};
    QGuiApplication app(argc, argv);
    const LoadedBarcodeFonts fonts = LoadBarcodeFonts();

    const QString face =
        QString::fromStdU16String(code93::FaceName(options.style, options.sizeLetter));
    bool anyFailed = false;
    std::size_t count = 0;
    auto exportOne = [&](std::string_view text, const std::string& where) {
        ++count;
        const OutputText made = MakeOutputText(text, options.withSums);
        if (!made.ok) {
            anyFailed = true;
            std::fprintf(stderr, "%s%s\n", where.c_str(), made.error.c_str());
            return;
        }
        const picture::ExportRequest request{QString::fromStdU16String(made.text), face,
                                             QString::fromStdString(options.points), options.dpi,
                                             options.sizeLetter == u'a'};
        const picture::PictureResult picture = picture::MakePicture(request);
        QString error = picture.error;
        const QString fileName = batch ? NumberedName(pattern, count) : pattern;
        if (error.isEmpty()) {
            error = picture::WritePicture(picture.image, *options.format, fileName).error;
        }
        if (!error.isEmpty()) {
            anyFailed = true;
            if (!fonts.error.isEmpty() && !fonts.families.contains(face)) {
                error += QStringLiteral(" (%1)").arg(fonts.error);
            }
            std::fprintf(stderr, "%s%s\n", where.c_str(), Utf8(error).c_str());
            return;
        }
        std::printf("%s\n", Utf8(fileName).c_str());
    };

    if (options.data.empty()) {
        const bool read = ForEachLine(stdin, [&](std::size_t lineNumber, std::string_view line) {
            exportOne(line, "line " + std::to_string(lineNumber) + ": ");
        });
        if (!read) {
            std::fprintf(stderr, "stria93: cannot read standard input\n");
            anyFailed = true;
        }
    } else {
        for (const auto& text : options.data) {
            exportOne(text, "");
        }
    }
    return anyFailed ? ExitRefused : ExitOk;
}

} // namespace cli
