#include "cli/commands.h"
#include "cli/data_texts.h"
#include "cli/ending_signals.h"
#include "cli/export_batch.h"
#include "cli/export_options.h"
#include "cli/message_text.h"
#include "cli/output_text.h"
#include "encoding/code93.h"
#include "files/install_paths.h"
#include "files/native_file_name.h"
#include "picture/barcode_picture.h"
#include "picture/picture_format.h"
#include "picture/picture_writer.h"
#include "picture/typeface_file.h"

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

picture::ExportRequest RequestFor(const ExportOptions& options, const QString& face,
                                  const QString& text) {
    picture::ExportRequest request{text, face, options.points, options.dpi,
                                   options.barcode.sizeLetter == u'a'};
    request.exact = options.exact;
    request.trueSize = options.trueSize;
    request.barReduction = options.barReduction;
    return request;
}

// Tells the module width of whole-pixel exports once, before the first picture.
void ReportModule(const ExportOptions& options, const QString& face) {
    const Result<picture::PictureLayout> layout =
        picture::LayoutPicture(RequestFor(options, face, {}));
    if (layout) {
        const double mils = layout->modulePixels * 1000.0 / options.dpi;
        std::fprintf(stderr, "stria93: modules of %g pixels, %.1f mil at %d dpi\n",
                     layout->modulePixels, mils, options.dpi);
    }
}

// One picture of the batch (or the only one), under its file name; a batch's file is left
// staged, for the batch to put in place with others.
ExportOutcome ExportOne(const ExportOptions& options, const QString& face, const QString& fileName,
                        const ExportJob& job, picture::Placement placement) {
    ExportOutcome outcome;
    const Result<std::u16string> made = MakeOutputText(job.text, options.withSums);
    if (!made) {
        outcome.failed = true;
        outcome.message = job.where + made.error().toStdString();
        return outcome;
    }
    const Result<picture::PictureLayout> layout =
        picture::LayoutPicture(RequestFor(options, face, QString::fromStdU16String(*made)));
    QString error = layout.error();
    if (layout) {
        Result<files::StagedFile> written =
            picture::WritePicture(*layout, *options.raster, fileName, placement);
        error = written.error();
        if (written) {
            outcome.staged = std::move(*written);
        }
    }
    if (!error.isEmpty()) {
        if (picture::TypefaceFile(face).isEmpty()) {
            error += QStringLiteral(" (it is missing from the folder %1)")
                         .arg(QDir::toNativeSeparators(installpaths::FontDirectory()));
        }
        outcome.failed = true;
        outcome.message = job.where + files::EncodeFileName(error).toStdString();
        return outcome;
    }
    outcome.written = ListedName(files::EncodeFileName(fileName).toStdString());
    return outcome;
}

} // namespace

int RunExport(const Args& args) {
    CommandLine line(ExportCommand());
    if (const std::optional<int> done = line.parse(args)) {
        return *done;
    }
    const Result<ExportOptions> read = ReadExportOptions(line);
    if (!read) {
        return CommandUsageError(ExportCommand(), read.error());
    }
    const ExportOptions& options = *read;
    if (options.vector) {
        return RunVectorExport(options);
    }
    const QString pattern =
        picture::ExportFileName(files::DecodeFileName(options.output), *options.raster);
    const bool batch = options.data.size() != 1;
    if (batch && !pattern.contains(QStringLiteral("{n}"))) {
        return CommandUsageError(ExportCommand(), BatchNeedsNumbers());
    }

    const QString face = options.barcode.faceName();
    if (options.exact && !options.quiet) {
        ReportModule(options, face);
    }
    const ExportWork exportOne = [&](const ExportJob& job) {
        const QString fileName = batch ? NumberedName(pattern, job.number) : pattern;
        return ExportOne(options, face, fileName, job, picture::Placement::Staged);
    };
    EndCleanlyOnSignals();
    if (batch) {
        RemoveStaleFilesBeside(pattern);
    }
    const JobSource source = [&](const JobSink& sink) {
        std::size_t number = 0;
        return ForEachDataText(options.data, [&](std::string_view text, const std::string& where) {
            sink({++number, std::string(text), where});
        });
    };
    // Every picture takes and frees the same buffers, on several threads: keep freed memory in
    // the process rather than handing it back to the system after each picture.
    mallopt(M_TRIM_THRESHOLD, BatchKeptMemory);
    const bool progress = batch && !options.quiet && ::isatty(STDERR_FILENO) != 0;
    const BatchResult result = RunExportBatch(source, exportOne, progress);
    return result.anyFailed || result.inputFailed ? ExitRefused : ExitOk;
}

} // namespace cli
