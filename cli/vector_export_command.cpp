// stria93 export to PDF or SVG: the barcode at its true size in points, for print shops and
// layout programs.
#include "cli/barcode_options.h"
#include "cli/commands.h"
#include "cli/data_texts.h"
#include "cli/ending_signals.h"
#include "cli/export_options.h"
#include "cli/gui_session.h"
#include "cli/output_text.h"
#include "cli/print_text.h"
#include "files/native_file_name.h"
#include "picture/shaped_barcode.h"
#include "picture/vector_export.h"

#include <cstdio>

namespace cli {

int RunVectorExport(const ExportOptions& options) {
    const QString pattern =
        picture::VectorFileName(files::DecodeFileName(options.output), *options.vector);
    const bool batch = options.data.size() != 1;
    if (batch && !pattern.contains(QStringLiteral("{n}"))) {
        return CommandUsageError(ExportCommand(), BatchNeedsNumbers());
    }

    const GuiSession session;
    EndCleanlyOnSignals();
    if (batch) {
        RemoveStaleFilesBeside(pattern);
    }
    const QString face = options.barcode.faceName();
    // The module depends on the face and size alone: said once, before the first picture.
    if (options.printer && !options.quiet) {
        if (const Result<picture::ShapedBarcode> shaped = picture::ShapedBarcode::Shape(face, {})) {
            ReportSnappedSize(*shaped, options.barcode.points, *options.printer);
        }
    }
    bool anyFailed = false;
    std::size_t count = 0;
    const bool read =
        ForEachDataText(options.data, [&](std::string_view text, const std::string& where) {
            const Result<std::u16string> made = MakeOutputText(text, options.withSums);
            QString error = made.error();
            const QString fileName = batch ? NumberedName(pattern, ++count) : pattern;
            if (made) {
                const picture::VectorRequest request{
                    QString::fromStdU16String(*made), face, double(options.barcode.points),
                    options.barcode.sizeLetter == u'a', options.printer};
                error = picture::WriteVectorPicture(request, *options.vector, fileName).error();
                if (const QString note = session.missingFaceNote(face);
                    !error.isEmpty() && !note.isEmpty()) {
                    error += QStringLiteral(" (%1)").arg(note);
                }
            }
            if (!error.isEmpty()) {
                anyFailed = true;
                PrintError(QString::fromUtf8(where.c_str()) + error);
                return;
            }
            ListPlacedFile(fileName);
        });
    return read && !anyFailed ? ExitOk : ExitRefused;
}

} // namespace cli
