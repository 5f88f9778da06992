// The UTF-8 decoder and the barcode builder on any bytes, against the tests' own encoder; and
// the Insert list's pair for any list text.
#include "control_characters/control_character_list.h"
#include "encoding/barcode_builder.h"
#include "encoding/code93.h"
#include "encoding/utf8.h"
#include "fuzz/fuzz_check.h"
#include "tests/reference_encoder.h"

#include <cstdint>
#include <string_view>

namespace {

bool IsFontCharacter(char16_t c) {
    return std::u16string_view(u"0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-.~$/+%<=>?").find(c) !=
           std::u16string_view::npos;
}

void CheckBarcode(std::u16string_view data) {
    const code93::BuildResult result = code93::BuildBarcode(data);
    const std::optional<std::u16string> reference = ReferenceBarcode(data);
    const auto* barcode = std::get_if<code93::Barcode>(&result);
    FUZZ_CHECK((barcode != nullptr) == reference.has_value());
    if (barcode == nullptr) {
        FUZZ_CHECK(!std::get<code93::Refusal>(result).message.empty());
        return;
    }
    const std::u16string& text = barcode->barcodeString;
    FUZZ_CHECK(text == *reference);
    FUZZ_CHECK(text.size() >= 4 && text.front() == u'(' && text.back() == u')');
    for (std::size_t i = 1; i + 1 < text.size(); ++i) {
        FUZZ_CHECK(IsFontCharacter(text[i]));
    }
}

void CheckSpecialCharacterPair(const QString& listText) {
    const QString pair = stria::SpecialCharacterPair(listText);
    FUZZ_CHECK(pair.isEmpty() || (pair.size() == 2 && (pair[0] == QChar(code93::PercentMarker) ||
                                                       pair[0] == QChar(code93::DollarMarker))));
    FUZZ_CHECK(pair.isEmpty() ==
               (listText.size() < 6 && !stria::SpecialCharacterNames().contains(listText)));
    // An entry of the list always inserts a pair that Make turns into a barcode.
    if (stria::SpecialCharacterNames().contains(listText)) {
        FUZZ_CHECK(
            std::holds_alternative<code93::Barcode>(code93::BuildBarcode(pair.toStdU16String())));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (const std::optional<std::u16string> text = code93::Utf8ToUtf16(bytes)) {
        FUZZ_CHECK(code93::Utf16ToUtf8(*text) == bytes);
        CheckBarcode(*text);
    }
    // Any 16-bit text, lone surrogates included, as the window's data box may hold it.
    std::u16string units(size / 2, u'\0');
    for (std::size_t i = 0; i < units.size(); ++i) {
        units[i] = static_cast<char16_t>(data[2 * i] | (data[2 * i + 1] << 8));
    }
    CheckBarcode(units);
    CheckSpecialCharacterPair(QString::fromUtf8(bytes.data(), qsizetype(size)));
    return 0;
}
