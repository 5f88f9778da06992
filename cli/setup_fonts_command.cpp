// stria93 setup-fonts: installs the barcode typefaces for the current user, so that word
// processors and other programs see them, not only Stria (which loads them privately).
#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/print_text.h"
#include "files/install_paths.h"
#include "files/regular_file.h"
#include "result/result.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>

namespace cli {
namespace {

void Refuse(const QString& message) {
    PrintError(QStringLiteral("stria93: setup-fonts: ") + message);
}

// <XDG_DATA_HOME or ~/.local/share>/fonts/stria, where fontconfig looks by default.
QString UserFontDirectory() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/fonts/stria");
}

bool SameContents(const QString& a, const QString& b) {
    QFile fa(a);
    QFile fb(b);
    if (fa.size() != fb.size() || !fa.open(QIODevice::ReadOnly) || !fb.open(QIODevice::ReadOnly)) {
        return false;
    }
    return fa.readAll() == fb.readAll();
}

// Forcing a rebuild costs fc-cache a two-second pause, so it is forced only after a copy; else
// fc-cache only mends a cache that is out of date.
Result<> RefreshFontCache(const QString& folder, bool force) {
    const QString command = force ? QStringLiteral("fc-cache -f") : QStringLiteral("fc-cache");
    QStringList args{folder};
    if (force) {
        args.prepend(QStringLiteral("-f"));
    }
    QProcess fcCache;
    fcCache.start(QStringLiteral("fc-cache"), args);
    if (!fcCache.waitForFinished(120000)) {
        return Failure{
            QStringLiteral("%1 %2 did not run: %3").arg(command, folder, fcCache.errorString())};
    }
    if (fcCache.exitStatus() != QProcess::NormalExit || fcCache.exitCode() != 0) {
        return Failure{QStringLiteral("%1 %2 failed: %3")
                           .arg(command, folder,
                                QString::fromLocal8Bit(fcCache.readAllStandardError()).trimmed())};
    }
    return {};
}

} // namespace

int SetupFonts(bool quiet) {
    const QDir source(installpaths::FontDirectory());
    const QStringList fonts = source.entryList({QStringLiteral("*.ttf")}, QDir::Files);
    if (fonts.isEmpty()) {
        Refuse(QStringLiteral("no barcode typefaces (*.ttf) in %1; build the project or "
                              "re-install this product.")
                   .arg(source.absolutePath()));
        return ExitRefused;
    }
    const QStringList files =
        fonts + source.entryList({QStringLiteral("LICENSE*.txt")}, QDir::Files);

    const QString targetFolder = UserFontDirectory();
    if (!QDir().mkpath(targetFolder)) {
        Refuse(QStringLiteral("cannot create the folder %1 (is a part of it a file, or not "
                              "writable?)")
                   .arg(targetFolder));
        return ExitRefused;
    }
    const QDir target(targetFolder);

    int copied = 0;
    int failed = 0; // the others are still tried
    for (const QString& name : files) {
        const QString from = source.filePath(name);
        const QString to = target.filePath(name);
        if (SameContents(from, to)) {
            continue;
        }
        if (const Result<> copy = files::CopyRegularFile(from, to); !copy) {
            Refuse(copy.error());
            ++failed;
            continue;
        }
        ++copied;
        if (!quiet) {
            PrintLine(QStringLiteral("copied ") + to);
        }
    }

    if (const Result<> refreshed = RefreshFontCache(targetFolder, copied > 0); !refreshed) {
        Refuse(refreshed.error() +
               QStringLiteral("; the typefaces are in place, but programs may not "
                              "see them until the font cache is rebuilt."));
        return ExitRefused;
    }
    if (!quiet) {
        PrintLine(QStringLiteral("%1 copied, %2 already up to date in %3; font cache refreshed.")
                      .arg(copied)
                      .arg(files.size() - copied - failed)
                      .arg(targetFolder));
    }
    return failed == 0 ? ExitOk : ExitRefused;
}

const Command& SetupFontsCommand() {
    static const Command command{
        QStringLiteral("setup-fonts"),
        {{QStringLiteral("[--quiet]"),
          QStringLiteral("Copies the twelve Sample 93 typefaces and their licence text into your "
                         "font folder ($XDG_DATA_HOME/fonts/stria, normally "
                         "~/.local/share/fonts/stria) and refreshes the font cache, so that word "
                         "processors find them. Files already there are kept.")}},
        {QuietOption(QStringLiteral("print only errors"))},
        {QStringLiteral("setup-fonts")},
        false};
    return command;
}

int RunSetupFonts(const Args& args) {
    CommandLine line(SetupFontsCommand());
    if (const std::optional<int> done = line.parse(args)) {
        return *done;
    }
    return SetupFonts(line.isSet(QStringLiteral("quiet")));
}

} // namespace cli
