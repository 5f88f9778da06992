#include "dialogs/export_folder.h"

#include <QFileInfo>

namespace exportfolder {

QString InitialExportFolder(const QString& programFolder, const QString& picturesFolder,
                            const QString& documentsFolder) {
    for (const QString& folder : {programFolder, picturesFolder, documentsFolder}) {
        const QFileInfo info(folder);
        if (!folder.isEmpty() && info.isDir() && info.isWritable()) {
            return folder;
        }
    }
    return {};
}

} // namespace exportfolder
