// One glyph rasterised once, kept as runs of coverage per row. A barcode glyph is mostly
// vertical bars whose rows repeat, so each run of identical rows is stored once: the image stays
// small at any size, and whoever composes a picture knows which rows change.
#pragma once

#include "picture/barcode_face.h"
#include "result/result.h"

#include <span>
#include <vector>

namespace picture {

struct Span {
    int x = 0;                  // first pixel, from the pixel that holds the glyph's pen position
    int length = 0;             // pixels
    unsigned char coverage = 0; // 255: fully inked
    bool operator==(const Span&) const = default;
};

struct GlyphImage {
    struct Rows {
        int first = 0;    // row, counted down from the row just under the baseline (0)
        int distinct = 0; // index into distinctRows
    };
    // The spans of every distinct row, one row after another in one block, so that composing a
    // row reads memory in order: distinct row i is spans[rowStarts[i]] up to spans[rowStarts[i+1]].
    std::vector<Span> spans;
    std::vector<int> rowStarts;
    std::vector<Rows> runs; // from the top row down, each run until the next one's first row
    int end = 0;            // the row after the last one

    // The spans of a row, none where the glyph has no ink. run is where to start looking (an
    // index into runs) and is left at the row's run: rows asked in order are found in a step.
    std::span<const Span> RowAt(int row, std::size_t& run) const;
};

// How glyphs are rasterised; every glyph of one picture shares it.
struct RasterStyle {
    Scale scale;
    bool antialiased = true;    // else every pixel is inked fully or not at all
    long long barReduction = 0; // 26.6: every bar narrower by this much, about its centre
    bool operator==(const RasterStyle&) const = default;
};

// The glyph with its pen at the given offset into its first pixel (26.6, 0..63); fails when its
// outline cannot be rasterised.
Result<GlyphImage> RasteriseGlyph(BarcodeFace& face, unsigned glyph, const RasterStyle& style,
                                  int offset);

} // namespace picture
