#include "output_file.h"

#include "native_file_name.h"

#include <QRandomGenerator>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace picture {

namespace {

bool ExistsAsOther(const QByteArray& name) {
    struct stat status {};
    return ::stat(name.constData(), &status) == 0 && !S_ISREG(status.st_mode) &&
           !S_ISDIR(status.st_mode);
}

constexpr qsizetype WriteBufferBytes = 1 << 16;

} // namespace

void DescriptorWriter::Attach(int descriptor) {
    descriptor_ = descriptor;
    buffer_.reserve(WriteBufferBytes);
    open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

qint64 DescriptorWriter::writeData(const char* data, qint64 length) {
    if (!failure_.isEmpty()) {
        return -1;
    }
    if (buffer_.size() + length > WriteBufferBytes) {
        if (!Flush() || (length >= WriteBufferBytes && !WriteOut(data, length))) {
            return -1;
        }
        if (length >= WriteBufferBytes) {
            return length;
        }
    }
    buffer_.append(data, length);
    return length;
}

bool DescriptorWriter::Flush() {
    const bool ok = failure_.isEmpty() && WriteOut(buffer_.constData(), buffer_.size());
    buffer_.clear();
    return ok;
}

bool DescriptorWriter::WriteOut(const char* data, qint64 length) {
    while (length > 0) {
        const ssize_t written = ::write(descriptor_, data, static_cast<size_t>(length));
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            failure_ = qt_error_string(written < 0 ? errno : ENOSPC);
            return false;
        }
        data += written;
        length -= written;
    }
    return true;
}

OutputFile::OutputFile(const QString& fileName)
    : name_(EncodeFileName(fileName)),
      mode_(ExistsAsOther(name_)                                   ? Mode::InPlace
            : QFile::encodeName(QFile::decodeName(name_)) == name_ ? Mode::SaveFile
                                                                   : Mode::TemporaryByName),
      saveFile_(mode_ == Mode::SaveFile ? fileName : QString()) {}

OutputFile::~OutputFile() {
    if (!temporaryName_.isEmpty()) {
        file_.close();
        ::unlink(temporaryName_.constData());
    }
}

bool OutputFile::Fail(int error) {
    return FailWith(qt_error_string(error));
}

bool OutputFile::FailWith(const QString& reason) {
    if (failure_.isEmpty()) {
        failure_ = reason;
    }
    return false;
}

bool OutputFile::open() {
    switch (mode_) {
    case Mode::SaveFile:
        if (!saveFile_.open(QIODevice::WriteOnly)) {
            return FailWith(saveFile_.errorString());
        }
        writer_.Attach(saveFile_.handle());
        return true;
    case Mode::InPlace: {
        const int fd = ::open(name_.constData(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        if (fd < 0) {
            return Fail(errno);
        }
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
        if (!file_.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle)) {
            return FailWith(file_.errorString());
        }
        writer_.Attach(fd);
        return true;
    }
    case Mode::TemporaryByName:
        break;
    }
    struct stat old {};
    const bool replacing = ::stat(name_.constData(), &old) == 0;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        temporaryName_ =
            name_ + '.' + QByteArray::number(QRandomGenerator::global()->generate(), 36);
        fd = ::open(temporaryName_.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) {
            break;
        }
    }
    if (fd < 0) {
        const int error = errno;
        temporaryName_.clear();
        return Fail(error);
    }
    if (replacing) {
        ::fchmod(fd, old.st_mode & 07777);
    }
    if (!file_.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle)) {
        return FailWith(file_.errorString());
    }
    writer_.Attach(fd);
    return true;
}

QIODevice* OutputFile::device() {
    return &writer_;
}

bool OutputFile::commit() {
    if (!writer_.Flush()) {
        return FailWith(writer_.failure());
    }
    switch (mode_) {
    case Mode::SaveFile:
        return saveFile_.commit() || FailWith(saveFile_.errorString());
    case Mode::InPlace:
        file_.close();
        return true;
    case Mode::TemporaryByName:
        break;
    }
    file_.close();
    if (::rename(temporaryName_.constData(), name_.constData()) != 0) {
        return Fail(errno);
    }
    temporaryName_.clear();
    return true;
}

QString OutputFile::errorString() const {
    return failure_.isEmpty() ? writer_.failure() : failure_;
}

QString CannotCreateFile(const QString& fileName, const QString& reason) {
    return QStringLiteral("Cannot create file \"%1\". %2").arg(fileName, reason);
}

} // namespace picture
