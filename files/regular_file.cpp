#include "files/regular_file.h"

#include "files/replaced_file.h"

#include <QFile>
#include <QSaveFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace files {
namespace {

Failure Unreadable(const QString& reason) {
    return {reason};
}

} // namespace

Result<std::optional<QByteArray>> ReadRegularFile(const QString& path, qint64 largest) {
    // O_NONBLOCK: opening a FIFO for reading would otherwise wait for a writer for ever.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        if (error == ENOENT || error == ENOTDIR) {
            return std::optional<QByteArray>();
        }
        return Unreadable(SystemReason(error));
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return Unreadable(QStringLiteral("it is not a regular file"));
    }
    if (status.st_size > largest) {
        ::close(fd);
        return Unreadable(QStringLiteral("it is larger than %1 MB").arg(largest >> 20));
    }
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return Unreadable(file.errorString());
    }
    QByteArray bytes = file.readAll(); // of a regular file: one buffer of its size
    if (file.error() != QFileDevice::NoError) {
        return Unreadable(file.errorString());
    }
    return std::optional<QByteArray>(std::move(bytes));
}

Result<> ReplaceFile(const QString& path, const QByteArray& bytes) {
    const QByteArray name = QFile::encodeName(path);
    struct stat old {};
    const bool replacing = ::stat(name.constData(), &old) == 0 && S_ISREG(old.st_mode);
    if (replacing) {
        if (const Result<> replaceable = CheckReplaceable(name, old); !replaceable) {
            return replaceable;
        }
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return Failure{file.errorString()};
    }
    if (replacing) {
        if (const Result<> kept = KeepOwnerAndMode(file.handle(), old); !kept) {
            file.cancelWriting();
            return kept;
        }
    }
    // QSaveFile buffers, so a full disk may show only at flush; and commit() does not check its
    // own sync, so the sync is checked here before the rename can replace a good file.
    const bool written = file.write(bytes) == bytes.size() && file.flush();
    if (!written || ::fsync(file.handle()) != 0) {
        const QString reason = written ? SystemReason(errno) : file.errorString();
        file.cancelWriting();
        return Failure{reason};
    }
    if (!file.commit()) {
        return Failure{file.errorString()};
    }
    return {};
}

Result<> CopyRegularFile(const QString& from, const QString& to) {
    const Result<std::optional<QByteArray>> source = ReadRegularFile(from);
    if (!source || !*source) {
        return Failure{QStringLiteral("cannot read %1: %2")
                           .arg(from, source ? SystemReason(ENOENT) : source.error())};
    }
    if (const Result<> written = ReplaceFile(to, **source); !written) {
        return Failure{QStringLiteral("cannot write %1: %2").arg(to, written.error())};
    }
    return {};
}

} // namespace files
