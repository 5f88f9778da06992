// Each distinct glyph of a face and style is rasterised once for the whole run: a batch of
// pictures at one size, drawn on several threads, and the many repeats of a glyph in one text,
// all reuse the first image.
#pragma once

#include "picture/glyph_image.h"

#include <QString>
#include <memory>
#include <mutex>
#include <unordered_map>

namespace picture {

class GlyphCache {
public:
    // The images of this face and style, shared between threads. Only the latest face and style
    // are kept for later callers; a picture holding an older cache keeps it alive until done.
    static std::shared_ptr<GlyphCache> For(const QString& family, const RasterStyle& style);

    explicit GlyphCache(const RasterStyle& style) : style_(style) {}

    // The glyph at a pen offset into its first pixel (26.6, 0..63), rasterised from face (the
    // calling thread's copy of the family) when no thread has done so yet. The reference stays
    // valid as long as the cache; a glyph that cannot be rasterised stays a failure.
    const Result<GlyphImage>& Get(BarcodeFace& face, unsigned glyph, int offset);

private:
    RasterStyle style_;
    std::mutex mutex_;
    std::unordered_map<unsigned long long, Result<GlyphImage>> images_; // nodes never move
};

} // namespace picture
