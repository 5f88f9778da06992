#include "encoding/code93.h"

#include "encoding/code93_tables.h"
#include "encoding/typeface_names.h"

namespace code93 {

CharacterClass CharClass(char16_t c) {
    return tables::ClassOf(c);
}

char16_t SymbolChar(int value) {
    if (value < 0 || value >= SymbolCount) {
        return u' ';
    }
    return tables::SymbolChars[static_cast<std::size_t>(value)];
}

std::u16string FaceName(Style style, char16_t sizeLetter) {
    std::u16string name = typefaces::FamilyPrefix;
    name += sizeLetter;
    if (style == Style::HumanReadable) {
        name += typefaces::HumanReadableSuffix;
    }
    return name;
}

std::optional<Style> StyleNamed(std::u16string_view name) {
    if (name == u"standard") {
        return Style::Standard;
    }
    if (name == u"hr") {
        return Style::HumanReadable;
    }
    return std::nullopt;
}

bool IsSizeLetter(char16_t letter) {
    return letter >= u'a' && letter <= u'f';
}

} // namespace code93
