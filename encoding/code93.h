// The Code 93 vocabulary: symbol values, font characters, character classes, the Full ASCII
// expansion and the typeface names. Pure functions over 16-bit characters, no state.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace code93 {

enum class CharacterClass { Direct, Expanded, Illegal };

enum class Style { Standard, HumanReadable };

// The (%) and ($) markers carry control characters through typed data; 171 and 172 are dropped.
inline constexpr char16_t PercentMarker = 0x00A9;
inline constexpr char16_t DollarMarker = 0x00AA;

inline constexpr char16_t StartChar = u'(';
inline constexpr char16_t StopChar = u')';
inline constexpr int SymbolCount = 47;

CharacterClass CharClass(char16_t c);

// Font character of a check value 0..46; any other value gives a space.
char16_t SymbolChar(int value);

// The family of the size letter's typeface of the style, by the rule of the typefaces'
// generator (encoding/typeface_names.h): "Sample 93 d", "Sample 93 d HR".
std::u16string FaceName(Style style, char16_t sizeLetter);

// The style of its name, "standard" or "hr", as users choose it on the command line and in the
// office functions; nothing for any other name.
std::optional<Style> StyleNamed(std::u16string_view name);

// Whether a letter names one of the six sizes, a (widest bars) to f.
bool IsSizeLetter(char16_t letter);

} // namespace code93
