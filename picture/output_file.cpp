#include "output_file.h"

#include <QFileInfo>

namespace picture {

OutputFile::OutputFile(const QString& fileName)
    : inPlace_(QFileInfo::exists(fileName) && !QFileInfo(fileName).isFile() &&
               !QFileInfo(fileName).isDir()),
      saveFile_(fileName), deviceFile_(fileName) {}

bool OutputFile::open() {
    return inPlace_ ? deviceFile_.open(QIODevice::WriteOnly | QIODevice::Unbuffered)
                    : saveFile_.open(QIODevice::WriteOnly);
}

QIODevice* OutputFile::device() {
    return inPlace_ ? static_cast<QIODevice*>(&deviceFile_) : &saveFile_;
}

bool OutputFile::commit() {
    if (!inPlace_) {
        return saveFile_.commit();
    }
    const bool ok = deviceFile_.flush() && deviceFile_.error() == QFileDevice::NoError;
    if (!ok) {
        failure_ = deviceFile_.errorString();
    }
    deviceFile_.close();
    return ok;
}

bool OutputFile::failed() const {
    return (inPlace_ ? deviceFile_.error() : saveFile_.error()) != QFileDevice::NoError;
}

QString OutputFile::errorString() const {
    if (!inPlace_) {
        return saveFile_.errorString();
    }
    return failure_.isEmpty() ? deviceFile_.errorString() : failure_;
}

} // namespace picture
