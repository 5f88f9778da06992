// A file being written that replaces the old one only once it is complete.
#pragma once

#include <QFile>
#include <QSaveFile>
#include <QString>

namespace picture {

// Regular files (and new names) are written to a temporary file that is renamed over the old
// one at commit, so a failed write leaves the old file and nothing else. An existing file that
// is not a regular file (a device such as /dev/null) cannot be replaced by a rename and is
// written in place.
class OutputFile {
public:
    explicit OutputFile(const QString& fileName);

    bool open();
    QIODevice* device();
    bool commit();               // false, and nothing replaced, when any write failed
    bool failed() const;         // a write to the file has failed
    QString errorString() const; // the system's reason for the last failure

private:
    bool inPlace_;
    QSaveFile saveFile_;
    QFile deviceFile_;
    QString failure_;
};

} // namespace picture
