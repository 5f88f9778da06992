// stria93 export to PDF or SVG: the barcode at its true size in points, for print shops and
// layout programs. The raster export hands these formats over before it parses anything.
#include "barcode_options.h"
#include "commands.h"
#include "data_texts.h"
#include "gui_session.h"
#include "output_text.h"
#include "vector_export.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <cstdio>
#include <optional>

namespace cli {
namespace {

struct VectorOptions {
    BarcodeChoice barcode;
    picture::VectorFormat format = picture::VectorFormat::Svg;
    bool withSums = false;
    QString output;
    QStringList data;
};

QString ParseVectorOptions(const Args& args, VectorOptions& options) {
    QCommandLineParser parser;
    AddBarcodeOptions(parser);
    parser.addOptions({
        {QStringLiteral("format"), QStringLiteral("pdf or svg"), QStringLiteral("format")},
        {QStringLiteral("sums"), QStringLiteral("draw the sums text")},
        {QStringLiteral("dpi"), QStringLiteral("not for vector formats"), QStringLiteral("dpi")},
        {QStringLiteral("o"), QStringLiteral("file"), QStringLiteral("FILE")},
    });
    if (const QString error = ParseArguments(parser, args); !error.isEmpty()) {
        return error;
    }
    if (parser.isSet(QStringLiteral("dpi"))) {
        return QStringLiteral("--dpi does not apply to PDF and SVG: they hold the barcode at its "
                              "true size in points");
    }
    options.output = parser.value(QStringLiteral("o"));
    if (options.output.isEmpty()) {
        return QStringLiteral("missing -o FILE");
    }
    const QString format = parser.isSet(QStringLiteral("format"))
                               ? parser.value(QStringLiteral("format"))
                               : QFileInfo(options.output).suffix();
    const auto vector = picture::VectorFormatFromExtension(format);
    if (!vector) {
        return QStringLiteral("--format must be pdf or svg here, not '%1'").arg(format);
    }
    options.format = *vector;
    options.withSums = parser.isSet(QStringLiteral("sums"));
    options.data = parser.positionalArguments();
    return ReadBarcodeOptions(parser, options.barcode);
}

// The value of the last "--format X", "--format=X" or "-o X" in the arguments, if any.
std::optional<std::string> LastValue(const Args& args, const std::string& option) {
    std::optional<std::string> value;
    for (std::size_t i = 0; i < args.size() && args[i] != "--"; ++i) {
        if (args[i] == option && i + 1 < args.size()) {
            value = args[++i];
        } else if (args[i].starts_with(option + "=")) {
            value = args[i].substr(option.size() + 1);
        }
    }
    return value;
}

} // namespace

bool IsVectorExport(const Args& args) {
    const auto format = LastValue(args, "--format");
    const auto output = LastValue(args, "-o");
    const QString named = format   ? QString::fromStdString(*format)
                          : output ? QFileInfo(QString::fromStdString(*output)).suffix()
                                   : QString();
    return !named.startsWith(u'.') && picture::VectorFormatFromExtension(named).has_value();
}

int RunVectorExport(const Args& args) {
    VectorOptions options;
    if (const QString error = ParseVectorOptions(args, options); !error.isEmpty()) {
        return UsageError("export: " + error.toStdString());
    }
    const QString pattern = picture::VectorFileName(options.output, options.format);
    const bool batch = options.data.size() != 1;
    if (batch && !pattern.contains(QStringLiteral("{n}"))) {
        return UsageError("export: with several data texts or standard input, FILE must "
                          "contain {n} (replaced by 1, 2, ...)");
    }

    const GuiSession session;
    const QString face = options.barcode.faceName();
    bool anyFailed = false;
    int count = 0;
    const bool read =
        ForEachDataText(options.data, [&](std::string_view text, const std::string& where) {
            ++count;
            const OutputText made = MakeOutputText(text, options.withSums);
            QString error = QString::fromStdString(made.error);
            const QString fileName =
                batch ? QString(pattern).replace(QStringLiteral("{n}"), QString::number(count))
                      : pattern;
            if (made.ok) {
                const picture::VectorRequest request{QString::fromStdU16String(made.text), face,
                                                     double(options.barcode.points),
                                                     options.barcode.sizeLetter == u'a'};
                error = picture::WriteVectorPicture(request, options.format, fileName).error;
                if (const QString note = session.missingFaceNote(face);
                    !error.isEmpty() && !note.isEmpty()) {
                    error += QStringLiteral(" (%1)").arg(note);
                }
            }
            if (!error.isEmpty()) {
                anyFailed = true;
                std::fprintf(stderr, "%s%s\n", where.c_str(), error.toUtf8().constData());
                return;
            }
            std::printf("%s\n", fileName.toUtf8().constData());
        });
    return read && !anyFailed ? ExitOk : ExitRefused;
}

} // namespace cli
