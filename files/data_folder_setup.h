// Puts the first contents of the user's data folder in place: copies every file that the data
// folder lacks, and never overwrites or edits a file the user already has. An empty file counts
// as missing: it is what a copy onto a full disk once left behind.
#pragma once

#include <QString>
#include <QStringList>

namespace files {

struct DataFolderSetup {
    bool createdFolder = false;
    QStringList copied;   // file names
    QStringList kept;     // file names the user already had
    QStringList failures; // one message for each file not copied; the others still are
};

DataFolderSetup FillDataFolder(const QString& sourceFolder, const QString& dataFolder);

} // namespace files
