#include "install_paths.h"

#include <QDir>
#include <QFileInfo>

namespace installpaths {
namespace {

// The running program's own folder, known before any Qt application object exists.
QString ProgramDirectory() {
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
}

bool RunningFromBuildTree() {
    const QString build = QFileInfo(QStringLiteral(STRIA_BUILD_DIR)).canonicalFilePath();
    const QString program = ProgramDirectory();
    return !build.isEmpty() && (program == build || program.startsWith(build + QLatin1Char('/')));
}

QString Locate(const char* buildSubdirectory, const char* installedSubdirectory) {
    if (RunningFromBuildTree()) {
        return QStringLiteral(STRIA_BUILD_DIR "/") + QLatin1String(buildSubdirectory);
    }
    return QDir::cleanPath(ProgramDirectory() + QStringLiteral("/../") +
                           QLatin1String(installedSubdirectory));
}

} // namespace

QString FontDirectory() {
    return Locate("fonts", STRIA_INSTALL_FONTDIR);
}
QString DataDirectory() {
    return Locate("data", STRIA_INSTALL_DATADIR);
}
QString DocDirectory() {
    return Locate("docs", STRIA_INSTALL_DOCDIR);
}
QString HtmlManualDirectory() {
    return Locate("docs/manual", STRIA_INSTALL_DOCDIR "/html");
}

} // namespace installpaths
