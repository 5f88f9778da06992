#include "files/regular_file.h"

#include "files/native_file_name.h"
#include "files/output_file.h"
#include "files/replaced_file.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace files {
namespace {

Failure Unreadable(const QString& reason) {
    return {reason};
}

// The rest of the open file, or the system's reason why it cannot be read.
Result<QByteArray> ReadAll(int descriptor, qint64 expected) {
    QByteArray bytes;
    bytes.reserve(static_cast<qsizetype>(expected));
    char chunk[1 << 16];
    for (;;) {
        const ssize_t got = ::read(descriptor, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return Unreadable(SystemReason(errno));
        }
        if (got == 0) {
            return bytes;
        }
        bytes.append(chunk, static_cast<qsizetype>(got));
    }
}

} // namespace

Result<std::optional<QByteArray>> ReadRegularFile(const QString& path, qint64 largest) {
    // O_NONBLOCK: opening a FIFO for reading would otherwise wait for a writer for ever.
    const int fd = ::open(EncodeFileName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
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
    Result<QByteArray> bytes = ReadAll(fd, status.st_size);
    ::close(fd);
    if (!bytes) {
        return Failure{bytes.error()};
    }
    return std::optional<QByteArray>(std::move(*bytes));
}

Result<> ReplaceFile(const QString& path, const QByteArray& bytes) {
    OutputFile file(path);
    if (Result<> opened = file.open(); !opened) {
        return opened;
    }
    // A failed write is kept by the file and fails the commit, which then replaces nothing.
    static_cast<void>(file.device()->write(bytes));
    return file.commit();
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
