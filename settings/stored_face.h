// The typeface and point size the window's options choose, as the settings file keeps them: for
// the window's start-up and for the word processor's "Make Barcode", which reads the same file.
#pragma once

#include "settings/ini_file.h"

#include <QString>

namespace settings {

struct StoredFace {
    bool humanReadable = true;
    char16_t sizeLetter = u'd';
    QString pointSize = QStringLiteral("24");
};

// Type: "H" is Human Readable, anything else Standard.
bool HumanReadableFromSetting(const QString& type);

// FontSize: "A".."E" as written; anything else, "a" and "F" included, is the narrowest size "f".
char16_t SizeLetterFromSetting(const QString& fontSize);

// The options the settings file holds; a file without a key gives that key's default.
StoredFace ReadStoredFace(const IniFile& file);

} // namespace settings
