// A file being written that replaces the old one only once it is complete: the one way the
// programs replace a file (pictures, sheets, templates, the settings file, the set-up's copies).
#pragma once

#include "result/result.h"

#include <QIODevice>
#include <QString>
#include <cstdint>
#include <vector>

namespace files {

// Writes to a file descriptor through a buffer of its own and keeps the system's reason for the
// first failure: Qt's buffered file writes may report a lost write as success or as "Unknown
// error".
class DescriptorWriter : public QIODevice {
public:
    void Attach(int descriptor);
    // Fails with the first failed write's reason, then and ever after.
    [[nodiscard]] Result<> Flush();
    [[nodiscard]] Result<> status() const;

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 length) override;

private:
    bool WriteOut(const char* data, qint64 length);

    int descriptor_ = -1;
    QByteArray buffer_;
    QString failure_;
};

// A file written completely under a temporary name, not yet synced to disk nor renamed over its
// own name (PlaceStagedFiles does both). Its temporary file is removed if it never is.
class StagedFile {
public:
    StagedFile() = default;
    StagedFile(StagedFile&& other) noexcept;
    StagedFile& operator=(StagedFile&& other) noexcept;
    ~StagedFile();

private:
    friend class OutputFile;
    friend std::vector<QString> PlaceStagedFiles(std::vector<StagedFile*> files);
    void Discard();

    int descriptor_ = -1; // open until placed: see PlaceStagedFiles
    std::uint64_t openedOrder_ = 0;
    QByteArray temporaryName_; // empty when there is nothing to place (written in place)
    int slot_ = -1;            // of staged_files.h
    QByteArray name_;
    QString shownName_;
};

// Regular files (and new names) are written under a temporary name in the same folder (see
// staged_files.h), then synced and renamed over the old one, so a failed write leaves the old
// file and nothing else. The replaced file's mode, owner and group are kept, a read-only one is
// refused (files/replaced_file.h). A symbolic link is written through: its target is replaced.
// Names are handled as bytes (see native_file_name.h). An existing file that is not a regular
// file (a device such as /dev/null) cannot be replaced by a rename and is written in place; it
// is opened without blocking, so a FIFO nobody reads is refused instead of waited for.
class OutputFile {
public:
    // fileName is the name in messages too.
    explicit OutputFile(const QString& fileName);
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    [[nodiscard]] Result<> open();
    QIODevice* device();
    // The first write that failed, if any.
    [[nodiscard]] Result<> written() const;
    // Flushes and checks every write, syncs the file and renames it over its name; fails, and
    // nothing replaced, when any step failed.
    [[nodiscard]] Result<> commit();
    // Flushes and checks every write and hands the file over unsynced, for PlaceStagedFiles to
    // put in place together with others; fails, and nothing left, when a write failed.
    [[nodiscard]] Result<StagedFile> stage();

private:
    static Failure SystemFailure(int error);
    Result<> openInPlace();
    Result<> FinishWriting();

    QString shownName_;
    QByteArray name_;
    bool inPlace_ = false;
    int descriptor_ = -1;
    std::uint64_t openedOrder_ = 0;
    QByteArray temporaryName_; // removed unless committed or staged
    int slot_ = -1;
    DescriptorWriter writer_;
};

// Puts staged files in place, in order: one sync of their file system for all of them, and only
// then each renamed over its name. The messages, one a file, are empty for the files put in
// place, else "Cannot create file ..." with the system's reason.
std::vector<QString> PlaceStagedFiles(std::vector<StagedFile*> files);

// "Cannot create file "<name>". <reason>", the message of every file the export cannot write.
QString CannotCreateFile(const QString& fileName, const QString& reason);

} // namespace files
