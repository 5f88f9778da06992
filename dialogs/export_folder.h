// Where the save-file dialog of the export first opens.
#pragma once

#include <QString>

namespace exportfolder {

// The program's own folder when the user may write there (a copy run from its build or home
// folder); otherwise, as after installation to /usr/bin, the Pictures folder, or the documents
// folder when there is no Pictures folder. Empty when none of them is a writable folder.
QString InitialExportFolder(const QString& programFolder, const QString& picturesFolder,
                            const QString& documentsFolder);

} // namespace exportfolder
