#include "files/data_folder_setup.h"

#include "files/regular_file.h"

#include <QDir>
#include <QFileInfo>

namespace files {
namespace {

// A file an earlier set-up left empty (the disk was full) is the installer's to mend; any other
// file there, special files included, is the user's.
bool UserHasFile(const QString& path) {
    const QFileInfo info(path);
    return info.exists() && !(info.isFile() && info.size() == 0);
}

} // namespace

DataFolderSetup FillDataFolder(const QString& sourceFolder, const QString& dataFolder) {
    DataFolderSetup setup;
    const QDir source(sourceFolder);
    if (!source.exists()) {
        setup.failures
            << QStringLiteral("the installed data folder %1 is missing").arg(sourceFolder);
        return setup;
    }
    if (!QFileInfo(dataFolder).isDir()) {
        if (!QDir().mkpath(dataFolder)) {
            setup.failures << QStringLiteral("cannot create the folder %1").arg(dataFolder);
            return setup;
        }
        setup.createdFolder = true;
    }
    const QDir target(dataFolder);
    for (const QString& name : source.entryList(QDir::Files, QDir::Name)) {
        const QString targetPath = target.filePath(name);
        if (UserHasFile(targetPath)) {
            setup.kept.append(name);
            continue;
        }
        // Through a temporary file, so that a failed copy never leaves a half file that a later
        // set-up would then keep as the user's own.
        if (const Result<> copied = CopyRegularFile(source.filePath(name), targetPath); !copied) {
            setup.failures << copied.error();
        } else {
            setup.copied.append(name);
        }
    }
    return setup;
}

} // namespace files
