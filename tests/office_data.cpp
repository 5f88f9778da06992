// Random data texts for the LibreOffice test, one a line: "L\t" before a text Code 93 can carry,
// "R\t" before one it cannot, as the reference encoder decides.
#include "encoding/utf8.h"
#include "tests/reference_encoder.h"

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

int main(int argc, char** argv) {
    const int count = argc > 1 ? std::atoi(argv[1]) : 2000;
    std::mt19937 random(93);
    // Printable ASCII most of the time, the four typed markers, and characters outside Code 93.
    const std::u16string rare = u"\u00A9\u00AA\u00AB\u00AC\u00E9\u03A9\t\u20AC";
    std::uniform_int_distribution<int> length(1, 30), printable(32, 126), pick(0, 99);
    std::uniform_int_distribution<std::size_t> rareIndex(0, rare.size() - 1);
    for (int i = 0; i < count; ++i) {
        std::u16string text;
        const int n = length(random);
        const bool withRare = pick(random) < 25;
        for (int k = 0; k < n; ++k) {
            text += withRare && pick(random) < 10 ? rare[rareIndex(random)]
                                                  : char16_t(printable(random));
        }
        std::printf("%s\t%s\n", ReferenceBarcode(text) ? "L" : "R",
                    code93::Utf16ToUtf8(text).c_str());
    }
    return 0;
}
