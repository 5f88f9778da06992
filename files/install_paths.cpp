#include "files/install_paths.h"

#include <QDir>
#include <QFileInfo>

namespace installpaths {
namespace {

// The running program's own folder, known before any Qt application object exists.
QString ProgramDirectory() {
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
}

// The build tree the running program was built in: the nearest folder above it that holds the
// marker the build writes. Nothing for an installed program, so no build's path is compiled in.
QString BuildTree() {
    QDir folder(ProgramDirectory());
    do {
        if (QFileInfo(folder.filePath(QStringLiteral("stria-build-tree"))).isFile()) {
            return folder.path();
        }
    } while (folder.cdUp());
    return {};
}

QString Locate(const char* buildSubdirectory, const char* installedSubdirectory) {
    static const QString buildTree = BuildTree();
    if (!buildTree.isEmpty()) {
        return buildTree + QLatin1Char('/') + QLatin1String(buildSubdirectory);
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
