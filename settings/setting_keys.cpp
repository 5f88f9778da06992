#include "settings/setting_keys.h"

#include <algorithm>

namespace settings {
namespace {

// A key of section Settings whose first run writes its default.
SettingKey TextKey(KeyId id, const char* name, const char* defaultValue, const char* control) {
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

SettingKey FlagKey(KeyId id, const char* name, bool defaultValue, const char* control) {
    return {id,
            SettingsSection,
            QString::fromLatin1(name),
            ValueType::Boolean,
            defaultValue,
            FirstRun::Fixed,
            defaultValue,
            true,
            control};
}

// A key whose first run writes no fixed value: nothing, or what the control holds then.
SettingKey Unfixed(KeyId id, const QString& section, const char* name, ValueType type,
                   QVariant defaultValue, FirstRun firstRun, bool writtenAtClose,
                   const char* control) {
    return {id,
            section,
            QString::fromLatin1(name),
            type,
            std::move(defaultValue),
            firstRun,
            {},
            writtenAtClose,
            control};
}

} // namespace

const std::vector<SettingKey>& SettingKeys() {
    using enum ValueType;
    static const std::vector<SettingKey> keys = {
        Unfixed(KeyId::HintsOff, SettingsSection, "HintsOff", Boolean, false, FirstRun::NotWritten,
                false, "hints of the whole program (read only)"),
        Unfixed(KeyId::Left, SettingsSection, "Left", Integer, 0, FirstRun::FromControl, true,
                "main window's left edge"),
        Unfixed(KeyId::Top, SettingsSection, "Top", Integer, 0, FirstRun::FromControl, true,
                "main window's top edge"),
        // 0 when missing: the window keeps the size its controls need.
        Unfixed(KeyId::Width, SettingsSection, "Width", Integer, 0, FirstRun::FromControl, true,
                "main window's width"),
        Unfixed(KeyId::Height, SettingsSection, "Height", Integer, 0, FirstRun::FromControl, true,
                "main window's height"),
        TextKey(KeyId::Type, "Type", "H", "\"H\" RadioButton2, anything else RadioButton1"),
        TextKey(KeyId::FontSize, "FontSize", "C", "\"A\"..\"E\" SizeA..SizeE, anything else SizeF"),
        TextKey(KeyId::PointSize, "PointSize", "24", "text of PointSize"),
        TextKey(KeyId::Data, "Data", "ABC123", "text of BarTextInput"),
        FlagKey(KeyId::DisplayChecksums, "DisplayChecksums", false, "DispSums"),
        {KeyId::LabelSize, SettingsSection, QStringLiteral("LabelSize"), Integer, 4,
         FirstRun::Fixed, 4, true, "1..8 L1..L8 of Form3, anything else L9"},
        FlagKey(KeyId::LabelExplain, "LabelExplain", true, "ExplainPaste of Form3"),
        FlagKey(KeyId::LabelFill, "LabelFill", false, "FillLabels of Form3"),
        Unfixed(KeyId::TipEnabled, TipSection, "Enabled", Boolean, true, FirstRun::NotWritten, true,
                "TipCheckBox"),
        Unfixed(KeyId::TipPosition, TipSection, "Position", Integer, 0, FirstRun::NotWritten, false,
                "the tip the tip window shows next"),
        Unfixed(KeyId::TipMaximum, TipSection, "Maximum", Integer, 1, FirstRun::NotWritten, false,
                "the number of the last tip, for the tip window's counter (read only)"),
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
