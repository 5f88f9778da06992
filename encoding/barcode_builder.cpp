#include "encoding/barcode_builder.h"

#include "encoding/code93.h"
#include "encoding/code93_tables.h"

#include <optional>
#include <string>

namespace code93 {
namespace {

bool IsHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
bool IsLowSurrogate(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

// The offending character as the user sees it: a whole surrogate pair for characters beyond
// U+FFFF, and the replacement character for a lone half, which would otherwise print as garbage.
std::u16string_view OffendingCharacter(std::u16string_view data, std::size_t i) {
    const char16_t c = data[i];
    if (IsHighSurrogate(c) && i + 1 < data.size() && IsLowSurrogate(data[i + 1])) {
        return data.substr(i, 2);
    }
    if (IsHighSurrogate(c) || IsLowSurrogate(c)) {
        return u"\uFFFD";
    }
    return data.substr(i, 1);
}

std::u16string Ascii(const std::string& s) {
    return {s.begin(), s.end()};
}

std::u16string SumsText(const Barcode& b) {
    return u")   CSum: " + Ascii(std::to_string(b.cSum)) + u"  Ksum: " +
           Ascii(std::to_string(b.kSum)) + u"  CCheck: " + Ascii(std::to_string(b.cCheck)) +
           u"  KCheck: " + Ascii(std::to_string(b.kCheck));
}

} // namespace

std::u16string IllegalCharacterMessage(std::u16string_view character) {
    std::u16string message = u"Error: input character \"";
    message += character;
    message += u"\" not legal in bar code 93";
    return message;
}

namespace {

// The Full ASCII expansion of the data, or the refusal of its first illegal character.
std::optional<Refusal> Expand(std::u16string_view data, std::u16string& expanded) {
    // Every character expands to at most two font characters; write in place, then trim.
    expanded.resize(data.size() * 2);
    char16_t* out = expanded.data();
    for (std::size_t i = 0; i < data.size(); ++i) {
        const char16_t c = data[i];
        switch (tables::ClassOf(c)) {
        case CharacterClass::Direct:
            *out++ = c;
            break;
        case CharacterClass::Expanded:
            for (const char16_t f : tables::ExpansionOf(c)) {
                *out++ = f;
            }
            break;
        case CharacterClass::Illegal:
            return Refusal{IllegalCharacterMessage(OffendingCharacter(data, i))};
        }
    }
    expanded.resize(static_cast<std::size_t>(out - expanded.data()));
    return std::nullopt;
}

// The weighted sums and the check characters of the expanded text, whose spaces become "~".
void AddChecks(Barcode& b) {
    // Weights count down from the end: C runs 1..20, K runs 2..15 (K's weight 1 is C's).
    const std::size_t n = b.expanded.size();
    int cWeight = static_cast<int>(n % 20);
    if (cWeight == 0) {
        cWeight = 20;
    }
    int kWeight = static_cast<int>((n + 1) % 15);
    if (kWeight == 0) {
        kWeight = 15;
    }
    for (char16_t& c : b.expanded) {
        const int v = tables::ValueOf(c);
        b.cSum += static_cast<long long>(v) * cWeight;
        b.kSum += static_cast<long long>(v) * kWeight;
        if (c == u' ') {
            c = u'~';
        }
        if (--cWeight < 1) {
            cWeight = 20;
        }
        if (--kWeight < 1) {
            kWeight = 15;
        }
    }
    b.cCheck = static_cast<int>(b.cSum % SymbolCount);
    b.kSum += b.cCheck;
    b.kCheck = static_cast<int>(b.kSum % SymbolCount);
}

} // namespace

BuildResult BuildBarcode(std::u16string_view data) {
    if (data.empty()) {
        return Refusal{std::u16string(NoInputMessage)};
    }
    Barcode b;
    if (std::optional<Refusal> refusal = Expand(data, b.expanded)) {
        return *refusal;
    }
    AddChecks(b);

    const std::size_t n = b.expanded.size();
    b.body.reserve(n + 2);
    b.body = b.expanded;
    b.body += SymbolChar(b.cCheck);
    b.body += SymbolChar(b.kCheck);

    b.barcodeString.reserve(n + 4);
    b.barcodeString += StartChar;
    b.barcodeString += b.body;
    b.barcodeString += StopChar;
    b.sumsText = SumsText(b);
    return b;
}

std::u16string OutputText(const Barcode& barcode, bool withSums) {
    return withSums ? StartChar + barcode.body + barcode.sumsText : barcode.barcodeString;
}

} // namespace code93
