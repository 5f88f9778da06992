// stria93 setup: puts the user's data folder (settings file with the tips, label templates) in
// place under the documents folder, without touching anything the user already has, and
// installs the barcode typefaces for the user.
#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/print_text.h"
#include "files/data_folder_setup.h"
#include "files/install_paths.h"
#include "links/help_files.h"
#include "settings/data_folder.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace cli {

const Command& SetupCommand() {
    static const Command command{
        QStringLiteral("setup"),
        {{QStringLiteral("[--quiet]"),
          QStringLiteral("Puts the data folder <Documents>/Stria/ in place for the window: the "
                         "settings file with the tips and the label templates, and installs the "
                         "typefaces as setup-fonts does; names the manual that Help opens. Files "
                         "you already have are never replaced.")}},
        {QuietOption(QStringLiteral("say nothing unless something fails"))},
        {QStringLiteral("setup")},
        false};
    return command;
}

int RunSetup(const Args& args) {
    CommandLine line(SetupCommand());
    if (const std::optional<int> done = line.parse(args)) {
        return *done;
    }
    const bool quiet = line.isSet(QStringLiteral("quiet"));
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString dataFolder = settings::DataFolder(documents);
    const files::DataFolderSetup setup =
        files::FillDataFolder(installpaths::DataDirectory(), dataFolder);
    const auto say = [quiet](const QString& line) {
        if (!quiet) {
            PrintLine(line);
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
    for (const QString& failure : setup.failures) {
        PrintError(QStringLiteral("stria93: setup: ") + failure);
    }
    // Help and the about box's Manual open these; a missing one is worth knowing, not fatal.
    for (const char* manual : {helpfiles::HelpManual, helpfiles::PdfManual}) {
        const QString path = QDir(installpaths::DocDirectory()).filePath(QLatin1String(manual));
        if (QFileInfo(path).isFile()) {
            say(QStringLiteral("setup: the manual is %1").arg(path));
        } else {
            PrintError(
                QStringLiteral("stria93: setup: the manual %1 is missing; Help cannot open it")
                    .arg(path));
        }
    }
    // The typefaces are tried even when a data file could not be copied.
    const int fonts = SetupFonts(quiet);
    return setup.failures.isEmpty() ? fonts : ExitRefused;
}

} // namespace cli
