// A small INI file reader and writer that changes only the line it writes.
//
// Dialect: "[Section]" headers and "Key=Value" lines; section and key names match without regard
// to letter case; lines starting with ';' or '#' are comments. A section exists only when it
// holds at least one key. Integers are read in decimal or with a 0x prefix in hexadecimal;
// booleans are written 1/0 and read as integers (0 false, anything else true).
//
// An IniFile is one transaction: it reads the file once, the set functions change it in memory,
// and save() replaces the whole file at once through a temporary file in the same folder, so a
// failed write (a full disk included) never damages it. Every line the changes do not touch goes
// back byte for byte, its line end included. A value with blanks at either end (or one that is
// itself wrapped in double quotes) is written between double quotes so that it reads back
// unchanged; line breaks cannot be stored in a line and are written as spaces.
//
// Each line is read as UTF-8, or as Latin-1 when that line is not valid UTF-8; a changed or added
// line is written as UTF-8. Anything but a regular file (a FIFO, a folder), and a file larger
// than LargestFile, counts as a file that cannot be read: it reads as empty and is never written.
// The file is held once, as its bytes; lines are found and decoded as they are asked for.
#pragma once

#include "result/result.h"

#include <QByteArray>
#include <QString>

namespace settings {

class IniFile {
public:
    static constexpr qint64 LargestFile = 16 << 20;

    // Reads the file; a missing or unreadable one reads as empty.
    explicit IniFile(QString path);

    bool sectionExists(const QString& section) const;

    QString readText(const QString& section, const QString& key, const QString& defaultValue) const;
    int readInteger(const QString& section, const QString& key, int defaultValue) const;
    bool readBool(const QString& section, const QString& key, bool defaultValue) const;

    // Change the values in memory; the file changes at save().
    void setText(const QString& section, const QString& key, const QString& value);
    void setInteger(const QString& section, const QString& key, int value);
    void setBool(const QString& section, const QString& key, bool value);

    // Writes the file as it now stands, in one write. Fails, and leaves the file as it was, when
    // the write fails or when the file could not be read: writing it then would lose it.
    Result<> save() const;

    // Why the file could not be read; empty when it could (or when there is none).
    QString readFailure() const { return readFailure_; }

private:
    void insertLine(qsizetype at, const QString& text);

    QString path_;
    QString readFailure_;
    QByteArray bytes_; // without the byte-order mark
    QByteArray bom_;
    QByteArray lineEnding_ = "\n"; // for lines the program adds
};

// The integer of an INI value: decimal with an optional sign, or 0x hexadecimal; nothing else.
bool ParseIniInteger(const QString& value, int* result);

} // namespace settings
