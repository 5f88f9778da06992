#include "setting_keys.h"

#include <algorithm>

namespace settings {
namespace {

SettingKey Text(KeyId id, const char* name, const char* defaultValue, const char* control) {
    return {id,
            SettingsSection,
            QString::fromLatin1(name),
            ValueType::Text,
            QString::fromLatin1(defaultValue),
            FirstRun::Fixed,
            QString::fromLatin1(defaultValue),
            true,
            control};
}

} // namespace

const std::vector<SettingKey>& SettingKeys() {
    static const std::vector<SettingKey> keys = {
        {KeyId::HintsOff,
         SettingsSection,
         QStringLiteral("HintsOff"),
         ValueType::Boolean,
         false,
         FirstRun::NotWritten,
         {},
         false,
         "hints of the whole program (read only)"},
        {KeyId::Left,
         SettingsSection,
         QStringLiteral("Left"),
         ValueType::Integer,
         0,
         FirstRun::FromControl,
         {},
         true,
         "main window's left edge"},
        {KeyId::Top,
         SettingsSection,
         QStringLiteral("Top"),
         ValueType::Integer,
         0,
         FirstRun::FromControl,
         {},
         true,
         "main window's top edge"},
        Text(KeyId::Type, "Type", "H", "\"H\" RadioButton2, anything else RadioButton1"),
        Text(KeyId::FontSize, "FontSize", "C", "\"A\"..\"E\" SizeA..SizeE, anything else SizeF"),
        Text(KeyId::PointSize, "PointSize", "24", "text of PointSize"),
        Text(KeyId::Data, "Data", "ABC123", "text of BarTextInput"),
        {KeyId::DisplayChecksums, SettingsSection, QStringLiteral("DisplayChecksums"),
         ValueType::Boolean, false, FirstRun::Fixed, false, true, "DispSums"},
        {KeyId::LabelSize, SettingsSection, QStringLiteral("LabelSize"), ValueType::Integer, 4,
         FirstRun::Fixed, 4, true, "1..8 L1..L8 of Form3, anything else L9"},
        {KeyId::LabelExplain, SettingsSection, QStringLiteral("LabelExplain"), ValueType::Boolean,
         true, FirstRun::Fixed, true, true, "ExplainPaste of Form3"},
        {KeyId::LabelFill, SettingsSection, QStringLiteral("LabelFill"), ValueType::Boolean, false,
         FirstRun::Fixed, false, true, "FillLabels of Form3"},
        {KeyId::TipEnabled,
         TipSection,
         QStringLiteral("Enabled"),
         ValueType::Boolean,
         true,
         FirstRun::NotWritten,
         {},
         true,
         "TipCheckBox"},
        {KeyId::TipPosition,
         TipSection,
         QStringLiteral("Position"),
         ValueType::Integer,
         0,
         FirstRun::NotWritten,
         {},
         false,
         "the tip the tip window shows next"},
        {KeyId::TipMaximum,
         TipSection,
         QStringLiteral("Maximum"),
         ValueType::Integer,
         1,
         FirstRun::NotWritten,
         {},
         false,
         "the number of the last tip, for the tip window's counter (read only)"},
    };
    return keys;
}

const SettingKey& Key(KeyId id) {
    const std::vector<SettingKey>& keys = SettingKeys();
    return *std::find_if(keys.begin(), keys.end(),
                         [id](const SettingKey& key) { return key.id == id; });
}

std::vector<KeyId> CloseOrder() {
    std::vector<KeyId> order = {KeyId::TipEnabled};
    for (const SettingKey& key : SettingKeys()) {
        if (key.writtenAtClose && key.section == SettingsSection) {
            order.push_back(key.id);
        }
    }
    return order;
}

QVariant ReadSetting(const IniFile& file, KeyId id) {
    const SettingKey& key = Key(id);
    switch (key.type) {
    case ValueType::Text:
        return file.readText(key.section, key.name, key.defaultValue.toString());
    case ValueType::Integer:
        return file.readInteger(key.section, key.name, key.defaultValue.toInt());
    case ValueType::Boolean:
        return file.readBool(key.section, key.name, key.defaultValue.toBool());
    }
    return key.defaultValue;
}

void SetSetting(IniFile& file, KeyId id, const QVariant& value) {
    const SettingKey& key = Key(id);
    switch (key.type) {
    case ValueType::Text:
        file.setText(key.section, key.name, value.toString());
        break;
    case ValueType::Integer:
        file.setInteger(key.section, key.name, value.toInt());
        break;
    case ValueType::Boolean:
        file.setBool(key.section, key.name, value.toBool());
        break;
    }
}

} // namespace settings
