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

} // namespace code93
