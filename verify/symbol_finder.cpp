#include "verify/symbol_finder.h"

#include "encoding/code93_reading.h"
#include "verify/symbol_reader.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <optional>

namespace verify {
namespace {

constexpr double SmallestQuietZone = 3; // modules of light before the start that make a start
constexpr int RowsBetweenSamples = 3;
constexpr int RowsAMatchMaySkip = 3; // sampled rows a symbol may fail to read and go on

// The dark and light runs of a row from x0 to x1 (excluded); the first run is light.
struct Runs {
    std::vector<double> widths;
    std::vector<int> starts;
};

Runs RowRuns(const ReflectanceImage& image, int y, int x0, int x1, int threshold) {
    Runs runs;
    const std::uint8_t* row = image.row(y);
    bool dark = false;
    int start = x0;
    for (int x = x0; x < x1; ++x) {
        if ((row[x] <= threshold) != dark) {
            runs.widths.push_back(x - start);
            runs.starts.push_back(start);
            start = x;
            dark = !dark;
        }
    }
    runs.widths.push_back(x1 - start);
    runs.starts.push_back(start);
    return runs;
}

// Every symbol the row reads between x0 and x1.
std::vector<FoundSymbol> ReadRow(const ReflectanceImage& image, int y, int x0, int x1,
                                 int threshold) {
    const Runs runs = RowRuns(image, y, x0, x1, threshold);
    std::vector<FoundSymbol> found;
    for (std::size_t i = 1; i + 6 < runs.widths.size(); i += 2) {
        double character = 0;
        for (std::size_t k = i; k < i + 6; ++k) {
            character += runs.widths[k];
        }
        if (runs.widths[i - 1] * code93::ModulesPerSymbol < SmallestQuietZone * character) {
            continue;
        }
        const std::optional<ReadSymbol> read = ReadSymbolAt(runs.widths, i);
        if (!read) {
            continue;
        }
        const std::size_t last = i + read->elementCount - 1;
        const int modules = code93::ModulesPerSymbol * (int(read->values.size()) + 2);
        found.push_back({runs.starts[i], runs.starts[last] + int(runs.widths[last]), y, y,
                         double(runs.starts[last] - runs.starts[i]) / modules, read->values,
                         read->text});
        i = last; // the next bar after this symbol
    }
    return found;
}

// The same data over mostly the same columns: one symbol, read on rows that noise, a skewed scan
// or the bars' ragged ends make end a little apart.
bool SameSymbol(const FoundSymbol& a, const FoundSymbol& b) {
    const int overlap = std::min(a.right, b.right) - std::max(a.left, b.left);
    return a.values == b.values && 2 * overlap > std::min(a.right - a.left, b.right - b.left);
}

int Height(const FoundSymbol& s) {
    return s.bottom - s.top + 1;
}

// Drops the stray pieces: a few rows of a symbol that a gap of unread rows kept apart from the
// rest of it.
std::vector<FoundSymbol> WithoutPieces(std::vector<FoundSymbol> symbols) {
    std::stable_sort(
        symbols.begin(), symbols.end(),
        [](const FoundSymbol& a, const FoundSymbol& b) { return Height(a) > Height(b); });
    const int gap = 1 + RowsAMatchMaySkip * RowsBetweenSamples;
    std::vector<FoundSymbol> kept;
    for (FoundSymbol& s : symbols) {
        const bool piece = std::any_of(kept.begin(), kept.end(), [&](const FoundSymbol& k) {
            return SameSymbol(k, s) && s.top <= k.bottom + gap && k.top <= s.bottom + gap;
        });
        if (!piece) {
            kept.push_back(std::move(s));
        }
    }
    return kept;
}

// Extends the rows that read the symbol up and down, one pixel row at a time.
void TakeBarHeight(const ReflectanceImage& image, int threshold, FoundSymbol& symbol) {
    const int margin = static_cast<int>(std::ceil(2 * symbol.moduleWidth)) + 1;
    const int x0 = std::max(0, symbol.left - margin);
    const int x1 = std::min(image.width(), symbol.right + margin);
    auto reads = [&](int y) {
        for (const FoundSymbol& s : ReadRow(image, y, x0, x1, threshold)) {
            if (SameSymbol(symbol, s)) {
                return true;
            }
        }
        return false;
    };
    while (symbol.top > 0 && reads(symbol.top - 1)) {
        --symbol.top;
    }
    while (symbol.bottom + 1 < image.height() && reads(symbol.bottom + 1)) {
        ++symbol.bottom;
    }
}

} // namespace

std::vector<FoundSymbol> FindSymbols(const ReflectanceImage& image, int threshold) {
    std::vector<FoundSymbol> symbols;
    for (int y = 0; y < image.height(); y += RowsBetweenSamples) {
        for (FoundSymbol& read : ReadRow(image, y, 0, image.width(), threshold)) {
            const auto same = std::find_if(symbols.begin(), symbols.end(), [&](const auto& s) {
                return s.bottom >= y - RowsAMatchMaySkip * RowsBetweenSamples &&
                       SameSymbol(s, read);
            });
            if (same == symbols.end()) {
                symbols.push_back(std::move(read));
            } else {
                same->bottom = y;
            }
        }
    }
    for (FoundSymbol& symbol : symbols) {
        TakeBarHeight(image, threshold, symbol);
    }
    symbols = WithoutPieces(std::move(symbols));
    std::vector<FoundSymbol> ordered;
    for (const std::size_t i : ReadingOrder(symbols)) {
        ordered.push_back(std::move(symbols[i]));
    }
    return ordered;
}

std::vector<std::size_t> ReadingOrder(const std::vector<FoundSymbol>& symbols) {
    std::vector<std::size_t> order(symbols.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(),
              [&](std::size_t a, std::size_t b) { return symbols[a].top < symbols[b].top; });
    // A symbol starts a new row when it lies below the whole of the row so far.
    std::size_t rowStart = 0;
    int rowBottom = 0;
    for (std::size_t i = 0; i <= order.size(); ++i) {
        if (i == order.size() || (i > rowStart && symbols[order[i]].top > rowBottom)) {
            std::sort(
                order.begin() + rowStart, order.begin() + i,
                [&](std::size_t a, std::size_t b) { return symbols[a].left < symbols[b].left; });
            rowStart = i;
        }
        if (i < order.size()) {
            const int bottom = symbols[order[i]].bottom;
            rowBottom = i == rowStart ? bottom : std::max(rowBottom, bottom);
        }
    }
    return order;
}

FoundSymbol TurnedBack(FoundSymbol symbol, const ReflectanceImage& picture) {
    const FoundSymbol turned = symbol;
    symbol.left = picture.width() - turned.right;
    symbol.right = picture.width() - turned.left;
    symbol.top = picture.height() - 1 - turned.bottom;
    symbol.bottom = picture.height() - 1 - turned.top;
    symbol.upsideDown = true;
    return symbol;
}

std::pair<double, double> QuietZones(const ReflectanceImage& image, int threshold,
                                     const FoundSymbol& symbol, int y) {
    const std::uint8_t* row = image.row(y);
    // The bars' ends on this row, which may lie a little out from the row the symbol was met on.
    int left = symbol.left;
    while (left > 0 && row[left - 1] <= threshold) {
        --left;
    }
    int light = left;
    while (light > 0 && row[light - 1] > threshold) {
        --light;
    }
    int right = symbol.right;
    while (right < image.width() && row[right] <= threshold) {
        ++right;
    }
    int lightEnd = right;
    while (lightEnd < image.width() && row[lightEnd] > threshold) {
        ++lightEnd;
    }
    const double x = symbol.moduleWidth;
    return {(left - light) / x, (lightEnd - right) / x};
}

} // namespace verify
