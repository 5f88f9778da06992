// What the window's output box would show for one UTF-8 data text, or why it refuses it.
#pragma once

#include <string>
#include <string_view>

namespace cli {

struct OutputText {
    bool ok = false;
    std::u16string text; // the barcode string, or with sums the string and the sums text
    std::string error;   // UTF-8 message when refused
};

OutputText MakeOutputText(std::string_view utf8Data, bool withSums);

} // namespace cli
