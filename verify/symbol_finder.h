// Finds the Code 93 symbols of a picture: rows a few pixels apart are cut into dark and light
// runs at one threshold and read wherever a bar follows a light gap; the rows that read the same
// symbol at the same place make one symbol, whose bar height is then taken row by row.
#pragma once

#include "verify/reflectance_image.h"

#include <string>
#include <vector>

namespace verify {

struct FoundSymbol {
    int left = 0;            // first pixel of the start character's first bar
    int terminationLeft = 0; // first pixel of the termination bar
    int right = 0;           // one past the termination bar's last pixel
    int top = 0;             // first and last rows that read the symbol
    int bottom = 0;
    std::vector<int> values; // data, C and K
    std::u16string text;

    int modules() const; // start to the termination bar's end
    // The module width X, from leading edge to leading edge, which print growth leaves alone.
    double moduleWidth() const;
};

// Every symbol of the picture, in reading order: rows of symbols top to bottom, each row left
// to right.
std::vector<FoundSymbol> FindSymbols(const ReflectanceImage& image, int threshold);

// The light pixels beside the symbol on the given row, in modules: left and right.
std::pair<double, double> QuietZones(const ReflectanceImage& image, int threshold,
                                     const FoundSymbol& symbol, int y);

} // namespace verify
