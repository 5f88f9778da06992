#include "files/output_file.h"

#include "files/native_file_name.h"
#include "files/replaced_file.h"
#include "files/staged_files.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <map>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace files {

namespace {

constexpr qsizetype WriteBufferBytes = 1 << 16;

// Counts files as they are opened, so that a group of files knows which one came first.
std::atomic<std::uint64_t> openings{0};

// A symbolic link is written through, as the shell and editors do: the file it names is
// replaced and the link stays. A link to nothing is replaced itself.
QByteArray ThroughLinks(const QByteArray& name) {
    struct stat link {};
    if (::lstat(name.constData(), &link) != 0 || !S_ISLNK(link.st_mode)) {
        return name;
    }
    char* target = ::realpath(name.constData(), nullptr);
    if (target == nullptr) {
        return name;
    }
    QByteArray resolved(target);
    std::free(target);
    return resolved;
}

void Close(int& descriptor) {
    if (descriptor >= 0) {
        ::close(descriptor);
        descriptor = -1;
    }
}

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

Result<> DescriptorWriter::Flush() {
    if (failure_.isEmpty()) {
        WriteOut(buffer_.constData(), buffer_.size());
    }
    buffer_.clear();
    return status();
}

Result<> DescriptorWriter::status() const {
    if (!failure_.isEmpty()) {
        return Failure{failure_};
    }
    return {};
}

bool DescriptorWriter::WriteOut(const char* data, qint64 length) {
    while (length > 0) {
        const ssize_t written = ::write(descriptor_, data, static_cast<size_t>(length));
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            failure_ = SystemReason(written < 0 ? errno : ENOSPC);
            return false;
        }
        data += written;
        length -= written;
    }
    return true;
}

StagedFile::StagedFile(StagedFile&& other) noexcept {
    *this = std::move(other);
}

StagedFile& StagedFile::operator=(StagedFile&& other) noexcept {
    if (this != &other) {
        Discard();
        descriptor_ = std::exchange(other.descriptor_, -1);
        openedOrder_ = other.openedOrder_;
        temporaryName_ = std::exchange(other.temporaryName_, {});
        slot_ = std::exchange(other.slot_, -1);
        name_ = std::move(other.name_);
        shownName_ = std::move(other.shownName_);
    }
    return *this;
}

StagedFile::~StagedFile() {
    Discard();
}

void StagedFile::Discard() {
    Close(descriptor_);
    if (!temporaryName_.isEmpty()) {
        DiscardStagedFile(std::exchange(slot_, -1), temporaryName_);
        temporaryName_.clear();
    }
}

OutputFile::OutputFile(const QString& fileName)
    : shownName_(fileName), name_(EncodeFileName(fileName)) {}

OutputFile::~OutputFile() {
    Close(descriptor_);
    if (!temporaryName_.isEmpty()) {
        DiscardStagedFile(slot_, temporaryName_);
    }
}

Failure OutputFile::SystemFailure(int error) {
    return Failure{SystemReason(error)};
}

Result<> OutputFile::open() {
    name_ = ThroughLinks(name_);
    struct stat old {};
    const bool replacing = ::stat(name_.constData(), &old) == 0;
    if (replacing && S_ISDIR(old.st_mode)) {
        return SystemFailure(EISDIR);
    }
    inPlace_ = replacing && !S_ISREG(old.st_mode);
    if (inPlace_) {
        return openInPlace();
    }
    if (replacing) {
        if (Result<> replaceable = CheckReplaceable(name_, old); !replaceable) {
            return replaceable;
        }
    }
    for (int attempt = 0; descriptor_ < 0 && attempt < 100; ++attempt) {
        temporaryName_ = StagedName(name_);
        descriptor_ = CreateStagedFile(temporaryName_, slot_);
        if (descriptor_ < 0 && errno != EEXIST) {
            break;
        }
    }
    if (descriptor_ < 0) {
        const int error = errno;
        temporaryName_.clear();
        return SystemFailure(error);
    }
    openedOrder_ = ++openings;
    if (replacing) {
        if (Result<> kept = KeepOwnerAndMode(descriptor_, old); !kept) {
            return kept;
        }
    }
    writer_.Attach(descriptor_);
    return {};
}

// Opened without blocking, so that a FIFO nobody reads is refused instead of waited for.
Result<> OutputFile::openInPlace() {
    descriptor_ = ::open(name_.constData(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    const int flags = descriptor_ < 0 ? -1 : ::fcntl(descriptor_, F_GETFL);
    if (flags < 0 || ::fcntl(descriptor_, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        return SystemFailure(errno);
    }
    writer_.Attach(descriptor_);
    return {};
}

QIODevice* OutputFile::device() {
    return &writer_;
}

Result<> OutputFile::written() const {
    return writer_.status();
}

Result<> OutputFile::FinishWriting() {
    return writer_.Flush();
}

Result<> OutputFile::commit() {
    if (Result<> finished = FinishWriting(); !finished) {
        return finished;
    }
    if (inPlace_) {
        // The data went to the device itself: its close is the last word on it.
        if (::close(std::exchange(descriptor_, -1)) != 0) {
            return SystemFailure(errno);
        }
        return {};
    }
    if (::fdatasync(descriptor_) != 0) {
        return SystemFailure(errno);
    }
    const int closed = ::close(std::exchange(descriptor_, -1));
    if (closed != 0 || PlaceStagedFile(slot_, temporaryName_, name_) != 0) {
        return SystemFailure(errno);
    }
    temporaryName_.clear();
    return {};
}

Result<StagedFile> OutputFile::stage() {
    if (Result<> finished = FinishWriting(); !finished) {
        return Failure{finished.error()};
    }
    StagedFile staged;
    if (inPlace_) {
        if (::close(std::exchange(descriptor_, -1)) != 0) {
            return SystemFailure(errno);
        }
        return staged;
    }
    staged.descriptor_ = std::exchange(descriptor_, -1);
    staged.openedOrder_ = openedOrder_;
    staged.temporaryName_ = std::exchange(temporaryName_, {});
    staged.slot_ = std::exchange(slot_, -1);
    staged.name_ = name_;
    staged.shownName_ = shownName_;
    return staged;
}

// A batch syncs once for a group of files instead of once a file. The guarantee stays that of
// OutputFile::commit: no name is touched until the sync has returned, so an existing file is
// only ever replaced by a complete one that is on disk, and when the sync fails every file of the
// group is reported, its temporary file removed and its old file kept. syncfs reports any
// write-back failure of the file system since the file it is given was opened (Linux 5.8 and
// later); given the file of the group that was opened first, that covers every file of the group.
std::vector<QString> PlaceStagedFiles(std::vector<StagedFile*> files) {
    std::vector<QString> messages(files.size());
    std::vector<dev_t> devices(files.size());
    std::map<dev_t, const StagedFile*> firstOpened;
    for (std::size_t i = 0; i < files.size(); ++i) {
        StagedFile& file = *files[i];
        if (file.temporaryName_.isEmpty()) {
            continue;
        }
        struct stat status {};
        if (::fstat(file.descriptor_, &status) != 0) {
            messages[i] = CannotCreateFile(file.shownName_, SystemReason(errno));
            file.Discard();
            continue;
        }
        devices[i] = status.st_dev;
        const auto [first, added] = firstOpened.try_emplace(status.st_dev, &file);
        if (!added && file.openedOrder_ < first->second->openedOrder_) {
            first->second = &file;
        }
    }
    std::map<dev_t, int> syncErrors;
    for (const auto& [device, file] : firstOpened) {
        syncErrors[device] = ::syncfs(file->descriptor_) == 0 ? 0 : errno;
    }
    for (std::size_t i = 0; i < files.size(); ++i) {
        StagedFile& file = *files[i];
        if (file.temporaryName_.isEmpty()) {
            continue;
        }
        int error = syncErrors[devices[i]];
        if (error == 0 && ::close(std::exchange(file.descriptor_, -1)) != 0) {
            error = errno;
        }
        if (error == 0 && PlaceStagedFile(file.slot_, file.temporaryName_, file.name_) != 0) {
            error = errno;
        }
        if (error == 0) {
            file.temporaryName_.clear();
            file.slot_ = -1;
        } else {
            messages[i] = CannotCreateFile(file.shownName_, SystemReason(error));
        }
        file.Discard();
    }
    return messages;
}

QString CannotCreateFile(const QString& fileName, const QString& reason) {
    return QStringLiteral("Cannot create file \"%1\". %2").arg(fileName, reason);
}

} // namespace files
