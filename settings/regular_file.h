// Whole-file reads that never block on a FIFO or a device, and whole-file writes that either
// replace the old file completely or leave it exactly as it was.
#pragma once

#include <QByteArray>
#include <QString>

namespace settings {

enum class ReadStatus {
    Read,
    Missing,   // nothing of that name
    Unreadable // there is something, but not a regular file that can be read
};

struct FileContents {
    ReadStatus status = ReadStatus::Missing;
    QByteArray bytes;
    QString error; // the reason, for Unreadable
};

// Opens without blocking and reads only a regular file (or a link to one).
FileContents ReadRegularFile(const QString& path);

bool IsRegularFile(const QString& path);

// Writes the bytes to a temporary file beside the target and renames it over the target only
// when every byte reached the disk; on failure the old file is untouched, the temporary file is
// gone and error holds the system's reason.
bool ReplaceFile(const QString& path, const QByteArray& bytes, QString* error);

// ReplaceFile with the contents of a regular file.
bool CopyRegularFile(const QString& from, const QString& to, QString* error);

} // namespace settings
