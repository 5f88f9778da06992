#include "picture/picture_rows.h"

#include <algorithm>
#include <cstring>
#include <set>
#include <utility>

namespace picture {

namespace {

// Glyphs are placed to a sixteenth of a pixel: an edge moves by at most 1/32 pixel, and a
// glyph has at most 16 images per size.
constexpr long long PlacementStep = 4; // in 1/64 pixel

} // namespace

PictureRows::PictureRows(const PictureLayout& layout)
    : size_(layout.size), antialiased_(layout.style.antialiased), dotsPerInch_(layout.dotsPerInch),
      row_(static_cast<std::size_t>(std::max(layout.size.width(), 0))) {}

Result<PictureRows> PictureRows::Make(const PictureLayout& layout) {
    PictureRows rows(layout);
    if (Result<> placed = rows.Place(layout); !placed) {
        return Failure{placed.error()};
    }
    return rows;
}

Result<> PictureRows::Place(const PictureLayout& layout) {
    BarcodeFace* face = BarcodeFace::ForFamily(layout.faceName);
    if (!face) {
        return Failure{QStringLiteral("The typeface \"%1\" is not installed").arg(layout.faceName)};
    }
    cache_ = GlyphCache::For(layout.faceName, layout.style);
    std::set<std::pair<const GlyphImage*, int>> shapes;
    placed_.reserve(layout.glyphs.size());
    for (const ShapedGlyph& glyph : layout.glyphs) {
        const long long pen = 64LL * layout.cellOrigin.x() + glyph.x;
        const long long placed = (pen + PlacementStep / 2) / PlacementStep * PlacementStep;
        const Result<GlyphImage>& image =
            cache_->Get(*face, glyph.glyph, static_cast<int>(placed & 63));
        if (!image) {
            return Failure{QStringLiteral("The typeface \"%1\" has a glyph that cannot be drawn")
                               .arg(layout.faceName)};
        }
        const int baselineRow = layout.baseline - static_cast<int>((glyph.y + 32) >> 6);
        placed_.push_back({&*image, static_cast<int>(placed >> 6), baselineRow, 0});
        shapes.insert({&*image, baselineRow});
    }
    // Marked on a row map rather than sorted: the shapes share most of their rows.
    const int height = size_.height();
    std::vector<bool> changes(static_cast<std::size_t>(std::max(height, 0)), false);
    auto mark = [&](int y) {
        if (y >= 0 && y < height) {
            changes[static_cast<std::size_t>(y)] = true;
        }
    };
    mark(0);
    for (const auto& [image, baselineRow] : shapes) {
        for (const GlyphImage::Rows& run : image->runs) {
            mark(baselineRow + run.first);
        }
        mark(baselineRow + image->end);
    }
    for (int y = 0; y < height; ++y) {
        if (changes[static_cast<std::size_t>(y)]) {
            changes_.push_back(y);
        }
    }
    return {};
}

int PictureRows::keyOf(int y) const {
    return static_cast<int>(std::upper_bound(changes_.begin(), changes_.end(), y) -
                            changes_.begin()) -
           1;
}

const uchar* PictureRows::row(int y) {
    const int key = keyOf(y);
    if (key != rowKey_) {
        Compose(y);
        rowKey_ = key;
    }
    return row_.data();
}

void PictureRows::Compose(int y) {
    // The glyphs' rows are looked up first and their spans fetched from memory all at once;
    // reading each in turn as it is drawn left the processor waiting for each.
    rowSpans_.clear();
    for (Placed& glyph : placed_) {
        const std::span<const Span> spans = glyph.image->RowAt(y - glyph.baselineRow, glyph.run);
        if (!spans.empty()) {
            __builtin_prefetch(spans.data());
            rowSpans_.push_back({glyph.x, spans});
        }
    }
    std::memset(row_.data(), 255, row_.size());
    const int width = size_.width();
    for (const auto& [x, spans] : rowSpans_) {
        for (const Span& span : spans) {
            const int from = std::max(x + span.x, 0);
            const int to = std::min(x + span.x + span.length, width);
            if (from >= to) {
                continue;
            }
            uchar* pixel = row_.data() + from;
            if (span.coverage == 255) {
                std::memset(pixel, 0, static_cast<std::size_t>(to - from));
                continue;
            }
            // Black over what is there, as much as the glyph covers the pixel.
            const int keep = 255 - span.coverage;
            for (int x = from; x < to; ++x, ++pixel) {
                *pixel = static_cast<uchar>((*pixel * keep + 127) / 255);
            }
        }
    }
}

} // namespace picture
