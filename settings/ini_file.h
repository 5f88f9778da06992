// A small INI file reader and writer that changes only the line it writes.
//
// Dialect: "[Section]" headers and "Key=Value" lines; section and key names match without regard
// to letter case; lines starting with ';' or '#' are comments. A section exists only when it
// holds at least one key. Integers are read in decimal or with a 0x prefix in hexadecimal;
// booleans are written 1/0 and read as integers (0 false, anything else true).
//
// Every operation reads the file afresh and every write replaces the whole file at once through
// a temporary file in the same folder, so a failed write (a full disk included) never damages
// it and reports false. Every line a write does not change goes back byte for byte, its line end
// included. A value with blanks at either end (or one that is itself wrapped in double quotes)
// is written between double quotes so that it reads back unchanged; line breaks cannot be stored
// in a line and are written as spaces.
//
// Each line is read as UTF-8, or as Latin-1 when that line is not valid UTF-8; a changed or added
// line is written as UTF-8. Anything but a regular file (a FIFO, a folder) counts as a file that
// cannot be read: it reads as empty and is never written.
#pragma once

#include <QString>

namespace settings {

class IniFile {
public:
    explicit IniFile(QString path);

    const QString& path() const { return path_; }

    bool sectionExists(const QString& section) const;

    QString readText(const QString& section, const QString& key, const QString& defaultValue) const;
    int readInteger(const QString& section, const QString& key, int defaultValue) const;
    bool readBool(const QString& section, const QString& key, bool defaultValue) const;

    // Each returns whether the file now holds the value; callers may ignore it.
    bool writeText(const QString& section, const QString& key, const QString& value);
    bool writeInteger(const QString& section, const QString& key, int value);
    bool writeBool(const QString& section, const QString& key, bool value);

private:
    QString path_;
};

// The integer of an INI value: decimal with an optional sign, or 0x hexadecimal; nothing else.
bool ParseIniInteger(const QString& value, int* result);

} // namespace settings
