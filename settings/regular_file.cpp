#include "regular_file.h"

#include <QFile>
#include <QSaveFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace settings {
namespace {

QString SystemReason(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

FileContents Unreadable(const QString& reason) {
    return {ReadStatus::Unreadable, {}, reason};
}

} // namespace

FileContents ReadRegularFile(const QString& path) {
    // O_NONBLOCK: opening a FIFO for reading would otherwise wait for a writer for ever.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        if (error == ENOENT || error == ENOTDIR) {
            return {};
        }
        return Unreadable(SystemReason(error));
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return Unreadable(QStringLiteral("not a regular file"));
    }
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return Unreadable(file.errorString());
    }
    FileContents contents{ReadStatus::Read, file.readAll(), {}};
    if (file.error() != QFileDevice::NoError) {
        return Unreadable(file.errorString());
    }
    return contents;
}

bool IsRegularFile(const QString& path) {
    struct stat status {};
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 && S_ISREG(status.st_mode);
}

bool ReplaceFile(const QString& path, const QByteArray& bytes, QString* error) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = file.errorString();
        return false;
    }
    // QSaveFile buffers, so a full disk may show only at flush; and commit() does not check its
    // own sync, so the sync is checked here before the rename can replace a good file.
    const bool written = file.write(bytes) == bytes.size() && file.flush();
    if (!written || ::fsync(file.handle()) != 0) {
        *error = written ? SystemReason(errno) : file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}

bool CopyRegularFile(const QString& from, const QString& to, QString* error) {
    const FileContents source = ReadRegularFile(from);
    if (source.status != ReadStatus::Read) {
        *error = QStringLiteral("cannot read %1: %2")
                     .arg(from, source.status == ReadStatus::Missing ? SystemReason(ENOENT)
                                                                     : source.error);
        return false;
    }
    if (!ReplaceFile(to, source.bytes, error)) {
        *error = QStringLiteral("cannot write %1: %2").arg(to, *error);
        return false;
    }
    return true;
}

} // namespace settings
