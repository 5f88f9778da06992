#include "glyph_cache.h"

namespace picture {

const GlyphImage& GlyphCache::Get(BarcodeFace& face, const RasterStyle& style, unsigned glyph,
                                  int offset) {
    if (&face != face_ || !(style == style_)) {
        images_.clear();
        face_ = &face;
        style_ = style;
    }
    const unsigned long long key =
        (static_cast<unsigned long long>(glyph) << 8) | static_cast<unsigned long long>(offset);
    auto found = images_.find(key);
    if (found == images_.end()) {
        found = images_.emplace(key, RasteriseGlyph(face, glyph, style, offset)).first;
    }
    return found->second;
}

GlyphCache& GlyphCache::ForThisThread() {
    thread_local GlyphCache cache;
    return cache;
}

} // namespace picture
