// Every key the program keeps in the settings file, in one table: type, the value a missing key
// yields, what the first run writes, whether the close writes it and which control it feeds.
// Start-up, first run, close and the tip window all use this table so that they cannot disagree.
#pragma once

#include "settings/ini_file.h"

#include <QString>
#include <QVariant>
#include <vector>

namespace settings {

inline const QString SettingsSection = QStringLiteral("Settings");
inline const QString TipSection = QStringLiteral("TipoftheDay");
// The tips themselves, one key a tip: "0", "1", ...
inline const QString TipsSection = QStringLiteral("Tips");

enum class KeyId {
    HintsOff,
    Left,
    Top,
    Width,
    Height,
    Type,
    FontSize,
    PointSize,
    Data,
    DisplayChecksums,
    LabelSize,
    LabelExplain,
    LabelFill,
    TipEnabled,
    TipPosition,
    TipMaximum,
};

enum class ValueType { Text, Integer, Boolean };

enum class FirstRun {
    NotWritten,
    Fixed,       // firstRunValue
    FromControl, // what the control holds at that moment (the window position)
};

struct SettingKey {
    KeyId id;
    QString section;
    QString name;
    ValueType type;
    QVariant defaultValue; // QString, int or bool, after the type
    FirstRun firstRun;
    QVariant firstRunValue;
    bool writtenAtClose;
    const char* control; // what the value maps to, for people reading the table
};

// The keys of section Settings in the order start-up reads them (and first run and close write
// those they write), followed by the TipoftheDay keys.
const std::vector<SettingKey>& SettingKeys();

const SettingKey& Key(KeyId id);

// The keys the close routine writes, in its order: TipoftheDay/Enabled first.
std::vector<KeyId> CloseOrder();

// A QString, int or bool after the key's type; the key's default when missing or unusable.
QVariant ReadSetting(const IniFile& file, KeyId key);

// Sets the value in the file's memory after the key's type; the file's save() writes it.
void SetSetting(IniFile& file, KeyId key, const QVariant& value);

} // namespace settings
