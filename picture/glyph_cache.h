// Each distinct glyph of a picture size is rasterised once: a batch of pictures at one size,
// and the many repeats of a glyph in one text, reuse the first image.
#pragma once

#include "glyph_image.h"

#include <unordered_map>

namespace picture {

class GlyphCache {
public:
    // The glyph at a pen offset into its first pixel (26.6, 0..63). Asking with another face
    // or style empties the cache first. The reference stays valid until then.
    const GlyphImage& Get(BarcodeFace& face, const RasterStyle& style, unsigned glyph, int offset);

    // The cache of the calling thread.
    static GlyphCache& ForThisThread();

private:
    const BarcodeFace* face_ = nullptr;
    RasterStyle style_;
    std::unordered_map<unsigned long long, GlyphImage> images_;
};

} // namespace picture
