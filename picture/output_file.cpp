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

} // namespace

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
        return saveFile_.open(QIODevice::WriteOnly) || FailWith(saveFile_.errorString());
    case Mode::InPlace: {
        const int fd = ::open(name_.constData(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        if (fd < 0) {
            return Fail(errno);
        }
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
        return file_.open(fd, QIODevice::WriteOnly | QIODevice::Unbuffered,
                          QFileDevice::AutoCloseHandle) ||
               FailWith(file_.errorString());
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
    return file_.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle) ||
           FailWith(file_.errorString());
}

QIODevice* OutputFile::device() {
    return mode_ == Mode::SaveFile ? static_cast<QIODevice*>(&saveFile_) : &file_;
}

bool OutputFile::commit() {
    QFileDevice& device = mode_ == Mode::SaveFile ? static_cast<QFileDevice&>(saveFile_) : file_;
    if (device.error() != QFileDevice::NoError || !device.flush()) {
        return FailWith(device.errorString());
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
    const QFileDevice& device =
        mode_ == Mode::SaveFile ? static_cast<const QFileDevice&>(saveFile_) : file_;
    if (failure_.isEmpty() && device.error() != QFileDevice::NoError) {
        return device.errorString();
    }
    return failure_;
}

} // namespace picture
