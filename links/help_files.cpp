#include "links/help_files.h"

#include "files/install_paths.h"

#include <QDir>
#include <QFileInfo>

namespace helpfiles {

QString Locate(const QString& name) {
    for (const QString& folder : {QDir::currentPath(), installpaths::DocDirectory()}) {
        const QFileInfo candidate(QDir(folder).filePath(name));
        if (candidate.isFile()) {
            return candidate.absoluteFilePath();
        }
    }
    return name;
}

QString HtmlManualIndex() {
    return QDir(installpaths::HtmlManualDirectory()).filePath(QStringLiteral("index.html"));
}

} // namespace helpfiles
