#include "files/replaced_file.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace files {

QString SystemReason(int error) {
    return qt_error_string(error);
}

Result<> CheckReplaceable(const QByteArray& name, const struct stat& old) {
    // Root may write any file; a file without any write permission is read-only for root too.
    const bool writable = ::geteuid() == 0
                              ? (old.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0
                              : ::faccessat(AT_FDCWD, name.constData(), W_OK, AT_EACCESS) == 0;
    if (!writable) {
        return Failure{QStringLiteral("The file is read-only.")};
    }
    return {};
}

Result<> KeepOwnerAndMode(int descriptor, const struct stat& old) {
    struct stat made {};
    if (::fstat(descriptor, &made) != 0) {
        return Failure{SystemReason(errno)};
    }
    if ((made.st_uid != old.st_uid || made.st_gid != old.st_gid) &&
        ::fchown(descriptor, old.st_uid, old.st_gid) != 0) {
        return Failure{
            QStringLiteral("Its owner and group cannot be kept: %1").arg(SystemReason(errno))};
    }
    // After fchown, which clears the set-user-ID and set-group-ID bits.
    if (::fchmod(descriptor, old.st_mode & 07777) != 0) {
        return Failure{QStringLiteral("Its mode cannot be kept: %1").arg(SystemReason(errno))};
    }
    return {};
}

} // namespace files
