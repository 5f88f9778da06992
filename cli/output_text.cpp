#include "cli/output_text.h"

#include "cli/message_text.h"
#include "encoding/barcode_builder.h"
#include "encoding/utf8.h"

namespace cli {

OutputText MakeOutputText(std::string_view utf8Data, bool withSums) {
    OutputText out;
    if (utf8Data.size() > MaxDataBytes) {
        out.error = "Error: input longer than " + std::to_string(MaxDataBytes) + " bytes";
        return out;
    }
    const auto data = code93::Utf8ToUtf16(utf8Data);
    if (!data) {
        out.error = "Error: input is not valid UTF-8";
        return out;
    }
    const auto result = code93::BuildBarcode(*data);
    if (const auto* refusal = std::get_if<code93::Refusal>(&result)) {
        out.error = ShowControlCharacters(code93::Utf16ToUtf8(refusal->message));
        return out;
    }
    const auto& barcode = std::get<code93::Barcode>(result);
    out.ok = true;
    out.text = code93::OutputText(barcode, withSums);
    return out;
}

} // namespace cli
