// Puts the first contents of the user's data folder in place: copies every file that the data
// folder lacks, and never overwrites or edits a file the user already has.
#pragma once

#include <QString>
#include <QStringList>

namespace settings {

struct DataFolderSetup {
    bool createdFolder = false;
    QStringList copied; // file names
    QStringList kept;   // file names the user already had
    QString error;      // empty when everything missing was copied
};

DataFolderSetup FillDataFolder(const QString& sourceFolder, const QString& dataFolder);

} // namespace settings
