// Finds the Code 93 symbols of a picture: rows a few pixels apart are cut into dark and light
// runs at one threshold and read wherever a bar follows a light gap; the rows that read the same
// symbol at the same place make one symbol, whose bar height is then taken row by row.
#pragma once

#include "verify/reflectance_image.h"

#include <string>
#include <vector>

namespace verify {

struct FoundSymbol {
    int left = 0;  // first pixel of the start character's first bar
    int right = 0; // one past the termination bar's last pixel
    int top = 0;   // first and last rows that read the symbol
    int bottom = 0;
    // The module width X in pixels, from the start's leading edge to the termination bar's,
    // which print growth leaves alone.
    double moduleWidth = 0;
    std::vector<int> values; // data, C and K
    std::u16string text;
    bool upsideDown = false; // read in the picture turned half round; the place is upright
};

// Every symbol of the picture that reads left to right, in reading order.
std::vector<FoundSymbol> FindSymbols(const ReflectanceImage& image, int threshold);

// The order people read the symbols in: rows of symbols top to bottom, each row left to right.
std::vector<std::size_t> ReadingOrder(const std::vector<FoundSymbol>& symbols);

// The place of a symbol found in the picture turned half round, in the upright picture (of the
// same size).
FoundSymbol TurnedBack(FoundSymbol symbol, const ReflectanceImage& picture);

// The light pixels beside the symbol on the given row, in modules: left and right.
std::pair<double, double> QuietZones(const ReflectanceImage& image, int threshold,
                                     const FoundSymbol& symbol, int y);

} // namespace verify
