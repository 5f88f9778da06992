// What replacing a file keeps of the old one: the rule of every file the programs replace (the
// settings file, templates, pictures, sheets). A file that the user may not write (read-only) is
// not replaced; otherwise the new file gets the old one's mode, and its owner and group, or the
// old file is kept and the reason given when the process may not set them.
#pragma once

#include "result/result.h"

#include <QByteArray>
#include <QString>
#include <sys/stat.h>

namespace files {

// The system's reason for an errno value, as every message gives it.
QString SystemReason(int error);

// Fails when the existing file of this name and status is not to be replaced.
Result<> CheckReplaceable(const QByteArray& name, const struct stat& old);

// Gives the open new file the old file's owner, group and mode.
Result<> KeepOwnerAndMode(int descriptor, const struct stat& old);

} // namespace files
