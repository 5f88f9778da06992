#include "picture/glyph_cache.h"

namespace picture {

std::shared_ptr<GlyphCache> GlyphCache::For(const QString& family, const RasterStyle& style) {
    static std::mutex mutex;
    static QString latestFamily;
    static std::shared_ptr<GlyphCache> latest;
    const std::lock_guard lock(mutex);
    if (!latest || latestFamily != family || !(latest->style_ == style)) {
        latest = std::make_shared<GlyphCache>(style);
        latestFamily = family;
    }
    return latest;
}

const Result<GlyphImage>& GlyphCache::Get(BarcodeFace& face, unsigned glyph, int offset) {
    const unsigned long long key =
        (static_cast<unsigned long long>(glyph) << 8) | static_cast<unsigned long long>(offset);
    const std::lock_guard lock(mutex_);
    auto found = images_.find(key);
    if (found == images_.end()) {
        found = images_.emplace(key, RasteriseGlyph(face, glyph, style_, offset)).first;
    }
    return found->second;
}

} // namespace picture
