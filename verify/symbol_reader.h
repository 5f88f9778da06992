// Reads a Code 93 symbol from the widths of its elements, as the reference decoder does: each
// character by its edge-to-similar-edge widths e1..e4 against the thresholds (j ± 1/2)·S/9 of its
// own width S, so that even print growth of bars and spaces cancels out.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace verify {

struct ReadSymbol {
    std::size_t firstBar = 0;     // index of the start character's first bar in the widths
    std::size_t elementCount = 0; // start to termination bar
    std::vector<int> values;      // data, C and K
    std::u16string text;          // the data, Full ASCII pairs read as their characters
    // The smallest margin of any e against its nearest threshold, divided by S/18: 1 for a
    // perfect symbol, 0 on the threshold.
    double decodability = 0;
};

// The symbol whose start character begins at widths[firstBar], a bar; the widths alternate bar
// and space. Nothing unless every character decodes, the stop and termination bar follow and
// both check characters hold.
std::optional<ReadSymbol> ReadSymbolAt(std::span<const double> widths, std::size_t firstBar);

} // namespace verify
