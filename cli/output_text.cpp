#include "cli/output_text.h"

#include "cli/message_text.h"
#include "encoding/barcode_builder.h"
#include "encoding/utf8.h"

namespace cli {

Result<std::u16string> MakeOutputText(std::string_view utf8Data, bool withSums) {
    if (utf8Data.size() > MaxDataBytes) {
        return Failure{QStringLiteral("Error: input longer than %1 bytes").arg(MaxDataBytes)};
    }
    const auto data = code93::Utf8ToUtf16(utf8Data);
    if (!data) {
        return Failure{QStringLiteral("Error: input is not valid UTF-8")};
    }
    const auto result = code93::BuildBarcode(*data);
    if (const auto* refusal = std::get_if<code93::Refusal>(&result)) {
        return Failure{
            QString::fromStdString(ShowControlCharacters(code93::Utf16ToUtf8(refusal->message)))};
    }
    return code93::OutputText(std::get<code93::Barcode>(result), withSums);
}

} // namespace cli
