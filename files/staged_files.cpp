#include "files/staged_files.h"

#include <QRandomGenerator>
#include <algorithm>
#include <atomic>
#include <cctype>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <pthread.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace files {
namespace {

// More than the files a batch keeps open at once (cli/export_batch.cpp); a file made when every
// slot is taken is written all the same, only without this protection.
constexpr int EntryCount = 256;
constexpr char Marker[] = ".stria93-";
constexpr int RandomLetters = 6;
constexpr qsizetype NameMax = 255;
constexpr time_t StaleSeconds = 60;

enum EntryState : int { Free, Claimed, Live };

struct Entry {
    std::atomic<int> state{Free};
    char name[PATH_MAX];
};

Entry entries[EntryCount];
// Set by RemoveStagedFiles; a file being created meanwhile is waited for.
std::atomic<bool> ending{false};
std::atomic<int> creating{0};
std::atomic<bool> holdFromPlacing{false};

static_assert(std::atomic<int>::is_always_lock_free && std::atomic<bool>::is_always_lock_free);

int Claim(const QByteArray& name) {
    if (name.size() >= PATH_MAX) {
        return -1;
    }
    for (int i = 0; i < EntryCount; ++i) {
        int expected = Free;
        if (entries[i].state.compare_exchange_strong(expected, Claimed)) {
            std::memcpy(entries[i].name, name.constData(), size_t(name.size()) + 1);
            entries[i].state.store(Live);
            return i;
        }
    }
    return -1;
}

void Forget(int slot) {
    if (slot >= 0) {
        entries[slot].state.store(Free);
    }
}

sigset_t EndingSignals() {
    sigset_t set;
    sigemptyset(&set);
    for (const int signal : {SIGTERM, SIGINT, SIGHUP, SIGPIPE}) {
        sigaddset(&set, signal);
    }
    return set;
}

bool IsStagedName(const char* entry) {
    const size_t length = std::strlen(entry);
    const size_t marker = sizeof Marker - 1;
    if (entry[0] != '.' || length < 2 + marker + RandomLetters) {
        return false;
    }
    const char* tail = entry + length - RandomLetters;
    if (std::memcmp(tail - marker, Marker, marker) != 0) {
        return false;
    }
    return std::all_of(tail, tail + RandomLetters,
                       [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; });
}

} // namespace

SignalsHeld::SignalsHeld() {
    static_assert(sizeof saved_ >= sizeof(sigset_t));
    const sigset_t set = EndingSignals();
    pthread_sigmask(SIG_BLOCK, &set, reinterpret_cast<sigset_t*>(saved_));
}

SignalsHeld::~SignalsHeld() {
    pthread_sigmask(SIG_SETMASK, reinterpret_cast<const sigset_t*>(saved_), nullptr);
}

QByteArray StagedName(const QByteArray& name) {
    static constexpr char Letters[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QByteArray ending = Marker;
    for (int i = 0; i < RandomLetters; ++i) {
        ending += Letters[QRandomGenerator::global()->bounded(int(sizeof Letters - 1))];
    }
    const qsizetype folderLength = name.lastIndexOf('/') + 1;
    const qsizetype kept = std::min(name.size() - folderLength, NameMax - 1 - ending.size());
    return name.left(folderLength) + '.' + name.mid(folderLength, kept) + ending;
}

int CreateStagedFile(const QByteArray& temporaryName, int& slot) {
    const SignalsHeld held;
    slot = Claim(temporaryName);
    creating.fetch_add(1);
    int descriptor = -1;
    if (ending.load()) {
        errno = EINTR;
    } else {
        descriptor =
            ::open(temporaryName.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    }
    const int error = errno;
    creating.fetch_sub(1);
    if (descriptor < 0) {
        Forget(std::exchange(slot, -1));
    }
    errno = error;
    return descriptor;
}

void HoldSignalsFromPlacing() {
    holdFromPlacing.store(true);
}

void ReleaseHeldSignals() {
    const sigset_t set = EndingSignals();
    pthread_sigmask(SIG_UNBLOCK, &set, nullptr);
}

int PlaceStagedFile(int slot, const QByteArray& temporaryName, const QByteArray& name) {
    const sigset_t set = EndingSignals();
    sigset_t before;
    pthread_sigmask(SIG_BLOCK, &set, &before);
    const int renamed = ::rename(temporaryName.constData(), name.constData());
    const int error = errno;
    if (renamed == 0) {
        Forget(slot);
    }
    if (renamed != 0 || !holdFromPlacing.load()) {
        pthread_sigmask(SIG_SETMASK, &before, nullptr);
    }
    errno = error;
    return renamed;
}

void DiscardStagedFile(int slot, const QByteArray& temporaryName) {
    ::unlink(temporaryName.constData());
    Forget(slot);
}

void RemoveStagedFiles() {
    ending.store(true);
    // A file being created in another thread is waited for (a second at most), so that it is
    // in the list when the list is gone through.
    timespec start{};
    clock_gettime(CLOCK_MONOTONIC, &start);
    for (timespec now = start; creating.load() > 0 && now.tv_sec - start.tv_sec < 1;) {
        clock_gettime(CLOCK_MONOTONIC, &now);
    }
    for (Entry& entry : entries) {
        if (entry.state.load() == Live) {
            ::unlink(entry.name);
        }
    }
}

void RemoveStaleStagedFiles(const QByteArray& folder) {
    DIR* dir = ::opendir(folder.isEmpty() ? "." : folder.constData());
    if (dir == nullptr) {
        return;
    }
    const time_t now = std::time(nullptr);
    while (const dirent* entry = ::readdir(dir)) {
        struct stat status {};
        if (!IsStagedName(entry->d_name) ||
            ::fstatat(::dirfd(dir), entry->d_name, &status, AT_SYMLINK_NOFOLLOW) != 0) {
            continue;
        }
        if (S_ISREG(status.st_mode) && status.st_uid == ::geteuid() &&
            now - status.st_mtime > StaleSeconds) {
            ::unlinkat(::dirfd(dir), entry->d_name, 0);
        }
    }
    ::closedir(dir);
}

} // namespace files
