// stria93 setup-fonts: installs the barcode typefaces for the current user, so that word
// processors and other programs see them, not only Stria (which loads them privately).
#include "commands.h"
#include "install_paths.h"
#include "regular_file.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <cstdio>

namespace cli {
namespace {

void PrintError(const QString& message) {
    std::fprintf(stderr, "stria93: setup-fonts: %s\n", qUtf8Printable(message));
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
bool RefreshFontCache(const QString& folder, bool force, QString& error) {
    const QString command = force ? QStringLiteral("fc-cache -f") : QStringLiteral("fc-cache");
    QStringList args{folder};
    if (force) {
        args.prepend(QStringLiteral("-f"));
    }
    QProcess fcCache;
    fcCache.start(QStringLiteral("fc-cache"), args);
    if (!fcCache.waitForFinished(120000)) {
        error = QStringLiteral("%1 %2 did not run: %3").arg(command, folder, fcCache.errorString());
        return false;
    }
    if (fcCache.exitStatus() != QProcess::NormalExit || fcCache.exitCode() != 0) {
        error = QStringLiteral("%1 %2 failed: %3")
                    .arg(command, folder,
                         QString::fromLocal8Bit(fcCache.readAllStandardError()).trimmed());
        return false;
    }
    return true;
}

} // namespace

int SetupFonts(bool quiet) {
    const QDir source(installpaths::FontDirectory());
    const QStringList fonts = source.entryList({QStringLiteral("*.ttf")}, QDir::Files);
    if (fonts.isEmpty()) {
        PrintError(QStringLiteral("no barcode typefaces (*.ttf) in %1; build the project or "
                                  "re-install this product.")
                       .arg(source.absolutePath()));
        return ExitRefused;
    }
    const QStringList files =
        fonts + source.entryList({QStringLiteral("LICENSE*.txt")}, QDir::Files);

    const QString targetFolder = UserFontDirectory();
    if (!QDir().mkpath(targetFolder)) {
        PrintError(QStringLiteral("cannot create the folder %1 (is a part of it a file, or not "
                                  "writable?)")
                       .arg(targetFolder));
        return ExitRefused;
    }
    const QDir target(targetFolder);

    int copied = 0;
    for (const QString& name : files) {
        const QString from = source.filePath(name);
        const QString to = target.filePath(name);
        if (SameContents(from, to)) {
            continue;
        }
        QString error;
        if (!settings::CopyRegularFile(from, to, &error)) {
            PrintError(error);
            return ExitRefused;
        }
        ++copied;
        if (!quiet) {
            std::printf("copied %s\n", qUtf8Printable(to));
        }
    }

    QString error;
    if (!RefreshFontCache(targetFolder, copied > 0, error)) {
        PrintError(error + QStringLiteral("; the typefaces are in place, but programs may not "
                                          "see them until the font cache is rebuilt."));
        return ExitRefused;
    }
    if (!quiet) {
        std::printf("%d copied, %lld already up to date in %s; font cache refreshed.\n", copied,
                    static_cast<long long>(files.size() - copied), qUtf8Printable(targetFolder));
    }
    return ExitOk;
}

int RunSetupFonts(const Args& args) {
    bool quiet = false;
    for (const auto& arg : args) {
        if (arg == "--quiet" || arg == "-q") {
            quiet = true;
        } else {
            return UsageError("setup-fonts: unknown argument '" + arg + "'");
        }
    }
    return SetupFonts(quiet);
}

} // namespace cli
