#include "settings/stored_face.h"

#include "settings/setting_keys.h"

namespace settings {

bool HumanReadableFromSetting(const QString& type) {
    return type == QLatin1String("H");
}

char16_t SizeLetterFromSetting(const QString& fontSize) {
    const bool known = fontSize.size() == 1 && fontSize[0] >= u'A' && fontSize[0] <= u'E';
    return known ? char16_t(fontSize[0].unicode() - u'A' + u'a') : u'f';
}

StoredFace ReadStoredFace(const IniFile& file) {
    return {HumanReadableFromSetting(ReadSetting(file, KeyId::Type).toString()),
            SizeLetterFromSetting(ReadSetting(file, KeyId::FontSize).toString()),
            ReadSetting(file, KeyId::PointSize).toString()};
}

} // namespace settings
