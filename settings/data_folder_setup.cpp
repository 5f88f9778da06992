#include "data_folder_setup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace settings {
namespace {

// Through a temporary file, so that an interrupted copy never leaves a half file that a later
// set-up would then keep as the user's own.
bool CopyWhole(const QString& source, const QString& target, QString* error) {
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot read %1: %2").arg(source, in.errorString());
        return false;
    }
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly) || out.write(in.readAll()) < 0 || !out.commit()) {
        *error = QStringLiteral("cannot write %1: %2").arg(target, out.errorString());
        return false;
    }
    return true;
}

} // namespace

DataFolderSetup FillDataFolder(const QString& sourceFolder, const QString& dataFolder) {
    DataFolderSetup setup;
    const QDir source(sourceFolder);
    if (!source.exists()) {
        setup.error = QStringLiteral("the installed data folder %1 is missing").arg(sourceFolder);
        return setup;
    }
    if (!QFileInfo(dataFolder).isDir()) {
        if (!QDir().mkpath(dataFolder)) {
            setup.error = QStringLiteral("cannot create the folder %1").arg(dataFolder);
            return setup;
        }
        setup.createdFolder = true;
    }
    const QDir target(dataFolder);
    for (const QString& name : source.entryList(QDir::Files, QDir::Name)) {
        const QString targetPath = target.filePath(name);
        if (QFileInfo::exists(targetPath)) {
            setup.kept.append(name);
            continue;
        }
        if (!CopyWhole(source.filePath(name), targetPath, &setup.error)) {
            return setup;
        }
        setup.copied.append(name);
    }
    return setup;
}

} // namespace settings
