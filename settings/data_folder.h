// Where the user's own files live: the data folder inside the documents folder, and the name of
// the settings file, which follows the program file's name.
#pragma once

#include <QString>

namespace settings {

// "<documents>/Stria/", always with its trailing separator.
QString DataFolder(const QString& documentsFolder);

// The program file's name without its folder, everything from its last dot dropped, then
// "tips.ini": "stria" -> "striatips.ini", "abc.exe" -> "abctips.ini".
QString SettingsFileName(const QString& programFileName);

} // namespace settings
