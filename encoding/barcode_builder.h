// Turns typed data into the barcode string: Full ASCII expansion, the weighted sums and the
// check characters C and K. A pure function: the window and the command line share it.
#pragma once

#include <string>
#include <string_view>
#include <variant>

namespace code93 {

struct Barcode {
    std::u16string expanded;      // the expanded data, every space shown as "~"
    std::u16string body;          // expanded + C + K
    std::u16string barcodeString; // "(" + body + ")"
    long long cSum = 0;
    long long kSum = 0; // includes CCheck
    int cCheck = 0;
    int kCheck = 0;
    std::u16string sumsText; // ")   CSum: ..."; the output box shows "(" + body + sumsText
};

struct Refusal {
    std::u16string message;
};

using BuildResult = std::variant<Barcode, Refusal>;

inline constexpr std::u16string_view NoInputMessage = u"Error:- no input data";

// "Error: input character "X" not legal in bar code 93" for the given character text.
std::u16string IllegalCharacterMessage(std::u16string_view character);

BuildResult BuildBarcode(std::u16string_view data);

// What the output box shows: the barcode string, or with the sums "(" + body + sumsText.
std::u16string OutputText(const Barcode& barcode, bool withSums);

} // namespace code93
