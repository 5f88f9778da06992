// stria93 setup: puts the user's data folder (settings file with the tips, label templates) in
// place under the documents folder, without touching anything the user already has, and
// installs the barcode typefaces for the user.
#include "commands.h"
#include "data_folder.h"
#include "data_folder_setup.h"
#include "help_files.h"
#include "install_paths.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <cstdio>

namespace cli {

int RunSetup(const Args& args) {
    bool quiet = false;
    for (const auto& arg : args) {
        if (arg == "--quiet" || arg == "-q") {
            quiet = true;
        } else {
            return UsageError("setup: unknown argument '" + arg + "'");
        }
    }
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString dataFolder = settings::DataFolder(documents);
    const settings::DataFolderSetup setup =
        settings::FillDataFolder(installpaths::DataDirectory(), dataFolder);
    const auto say = [quiet](const QString& line) {
        if (!quiet) {
            std::printf("%s\n", line.toLocal8Bit().constData());
        }
    };
    if (setup.createdFolder) {
        say(QStringLiteral("setup: created the data folder %1").arg(dataFolder));
    }
    for (const QString& name : setup.copied) {
        say(QStringLiteral("setup: installed %1%2").arg(dataFolder, name));
    }
    for (const QString& name : setup.kept) {
        say(QStringLiteral("setup: kept your %1%2").arg(dataFolder, name));
    }
    if (!setup.error.isEmpty()) {
        std::fprintf(stderr, "stria93: setup: %s\n", setup.error.toLocal8Bit().constData());
        return ExitRefused;
    }
    // Help and the about box's Manual open these; a missing one is worth knowing, not fatal.
    for (const char* manual : {helpfiles::HelpManual, helpfiles::PdfManual}) {
        const QString path = QDir(installpaths::DocDirectory()).filePath(QLatin1String(manual));
        if (QFileInfo(path).isFile()) {
            say(QStringLiteral("setup: the manual is %1").arg(path));
        } else {
            std::fprintf(stderr, "stria93: setup: the manual %s is missing; Help cannot open it\n",
                         path.toLocal8Bit().constData());
        }
    }
    return SetupFonts(quiet);
}

} // namespace cli
