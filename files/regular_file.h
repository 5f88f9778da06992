// Whole-file reads that never block on a FIFO or a device, and whole-file writes that either
// replace the old file completely or leave it exactly as it was.
#pragma once

#include "result/result.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace files {

// Opens without blocking and reads only a regular file (or a link to one): its bytes, nothing
// when there is nothing of that name, or the reason why what is there cannot be read (not a
// regular file, no permission, ...).
// A file larger than largest bytes counts as one that cannot be read.
Result<std::optional<QByteArray>> ReadRegularFile(const QString& path, qint64 largest = qint64(1)
                                                                                        << 30);

// Writes the bytes through an OutputFile (output_file.h): a temporary file beside the target,
// renamed over it only when every byte reached the disk; on failure the old file is untouched,
// the temporary file is gone and the failure holds the system's reason. The rule of
// replaced_file.h applies.
Result<> ReplaceFile(const QString& path, const QByteArray& bytes);

// ReplaceFile with the contents of a regular file.
Result<> CopyRegularFile(const QString& from, const QString& to);

} // namespace files
