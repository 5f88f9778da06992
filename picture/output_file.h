// A file being written that replaces the old one only once it is complete.
#pragma once

#include <QFile>
#include <QSaveFile>
#include <QString>

namespace picture {

// Regular files (and new names) are written to a temporary file that is renamed over the old
// one at commit, so a failed write leaves the old file and nothing else. QSaveFile does that
// for every name Qt can spell; a name that is not UTF-8 (see native_file_name.h) gets the same
// treatment by hand. An existing file that is not a regular file (a device such as /dev/null)
// cannot be replaced by a rename and is written in place; it is opened without blocking, so a
// FIFO nobody reads is refused instead of waited for.
// Writes to a file descriptor through a buffer of its own and keeps the system's reason for the
// first failure: Qt's buffered file writes may report a lost write as success or as "Unknown
// error".
class DescriptorWriter : public QIODevice {
public:
    void Attach(int descriptor);
    bool Flush(); // false when any write failed
    QString failure() const { return failure_; }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 length) override;

private:
    bool WriteOut(const char* data, qint64 length);

    int descriptor_ = -1;
    QByteArray buffer_;
    QString failure_;
};

class OutputFile {
public:
    explicit OutputFile(const QString& fileName);
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    bool open();
    QIODevice* device();
    // Flushes and checks every write; false, and nothing replaced, when any failed.
    bool commit();
    // The system's reason for the first failure, empty when nothing failed.
    QString errorString() const;

private:
    enum class Mode { SaveFile, TemporaryByName, InPlace };
    bool Fail(int error);
    bool FailWith(const QString& reason);

    QByteArray name_;
    QByteArray temporaryName_; // TemporaryByName: removed unless committed
    Mode mode_;
    QSaveFile saveFile_;
    QFile file_; // TemporaryByName and InPlace, on a descriptor opened by name bytes
    DescriptorWriter writer_;
    QString failure_;
};

// "Cannot create file "<name>". <reason>", the message of every file the export cannot write.
QString CannotCreateFile(const QString& fileName, const QString& reason);

} // namespace picture
