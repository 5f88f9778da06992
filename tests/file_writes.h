// Counting the writes of a folder's files as the kernel sees them (inotify), so that a test can
// tell a file was left alone, not only that its contents are the same.
#pragma once

#include <QFile>
#include <QString>
#include <sys/inotify.h>
#include <unistd.h>

// How often a file of the folder was written, in place or by a rename onto its name, as seen by
// the kernel from the counter's creation on.
class FileWrites {
public:
    explicit FileWrites(const QString& folder) : fd_(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
        inotify_add_watch(fd_, QFile::encodeName(folder).constData(), IN_MOVED_TO | IN_CLOSE_WRITE);
    }
    ~FileWrites() { ::close(fd_); }
    FileWrites(const FileWrites&) = delete;
    FileWrites& operator=(const FileWrites&) = delete;

    int of(const QString& name) {
        alignas(inotify_event) char buffer[4096];
        ssize_t length = 0;
        while ((length = ::read(fd_, buffer, sizeof buffer)) > 0) {
            for (ssize_t at = 0; at < length;) {
                const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
                if (event->len > 0 && QFile::decodeName(event->name) == name) {
                    ++count_;
                }
                at += ssize_t(sizeof(inotify_event)) + event->len;
            }
        }
        return count_;
    }

private:
    int fd_;
    int count_ = 0;
};
