// The export picture composed a row at a time from cached glyph images, never held whole:
// memory stays flat for any picture size, and rows that repeat are composed once.
#pragma once

#include "picture/barcode_picture.h"
#include "picture/glyph_cache.h"
#include "picture/row_source.h"
#include "result/result.h"

#include <memory>
#include <span>
#include <utility>
#include <vector>

namespace picture {

class PictureRows : public RowSource {
public:
    // Rasterises the glyphs it lacks on the calling thread, which must also ask for the rows;
    // fails when the face is missing or one of its glyphs cannot be drawn.
    static Result<PictureRows> Make(const PictureLayout& layout);

    QSize size() const override { return size_; }
    bool blackAndWhite() const override { return !antialiased_; }
    int keyOf(int y) const override;
    const uchar* row(int y) override;
    int dotsPerInch() const override { return dotsPerInch_; }

private:
    struct Placed {
        const GlyphImage* image;
        int x;           // the pixel that holds the glyph's pen position
        int baselineRow; // picture row of the glyph's row 0 (the one just under its baseline)
        std::size_t run; // the image's run of rows last drawn
    };

    explicit PictureRows(const PictureLayout& layout);
    Result<> Place(const PictureLayout& layout);
    void Compose(int y);

    QSize size_;
    bool antialiased_ = true;
    int dotsPerInch_ = 0;
    std::shared_ptr<GlyphCache> cache_; // keeps the glyph images alive
    std::vector<Placed> placed_;
    std::vector<int> changes_; // sorted rows where the picture's row content may change
    std::vector<std::pair<int, std::span<const Span>>> rowSpans_; // of the row being composed
    std::vector<uchar> row_;
    int rowKey_ = -1;
};

} // namespace picture
