// FreeType's smooth rasteriser, not QRawFont: it hands over coverage as spans row by row, which
// stores repeating bar rows once, accepts an outline shifted by any fraction of a pixel and one
// whose bars were narrowed, and needs no QGuiApplication, so batch pictures render on all cores.
#include "picture/glyph_image.h"

#include <algorithm>
#include <climits>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

namespace picture {

namespace {

// Builds the image from FreeType's spans, which come row by row from the bottom up.
class SpanCollector {
public:
    explicit SpanCollector(bool antialiased) : antialiased_(antialiased) {}

    static void Collect(int y, int count, const FT_Span* spans, void* user) {
        auto* self = static_cast<SpanCollector*>(user);
        if (y != self->y_) {
            self->FinishRow();
            self->y_ = y;
        }
        for (int i = 0; i < count; ++i) {
            self->Add({spans[i].x, spans[i].len, spans[i].coverage});
        }
    }

    // The row just rendered stands for every row through last as well (see BusyRows).
    void RepeatRow(int row, int last) {
        FinishRow();
        y_ = INT_MIN;
        if (lastY_ == row) {
            lastY_ = last;
        }
    }

    GlyphImage Take() {
        FinishRow();
        GlyphImage image;
        for (const std::vector<Span>& row : distinct_) {
            image.rowStarts.push_back(static_cast<int>(image.spans.size()));
            image.spans.insert(image.spans.end(), row.begin(), row.end());
        }
        image.rowStarts.push_back(static_cast<int>(image.spans.size()));
        // Raster row y is image row -y - 1; runs came bottom up.
        for (auto run = runs_.rbegin(); run != runs_.rend(); ++run) {
            const int topRasterRow = run == runs_.rbegin() ? lastY_ : (run - 1)->firstY - 1;
            image.runs.push_back({-topRasterRow - 1, run->distinct});
        }
        image.end = runs_.empty() ? 0 : -runs_.front().firstY;
        return image;
    }

private:
    struct BottomUpRun {
        int firstY;
        int distinct;
    };

    void Add(Span span) {
        if (!antialiased_) {
            // Without smoothing a pixel is inked when the outline covers at least half of it.
            if (span.coverage < 128) {
                return;
            }
            span.coverage = 255;
            if (!row_.empty() && row_.back().x + row_.back().length == span.x) {
                row_.back().length += span.length;
                return;
            }
        }
        if (span.coverage > 0) {
            row_.push_back(span);
        }
    }

    void FinishRow() {
        if (y_ == INT_MIN) {
            return;
        }
        const bool follows = !runs_.empty() && y_ == lastY_ + 1;
        if (follows && row_ == distinct_[static_cast<std::size_t>(runs_.back().distinct)]) {
            lastY_ = y_;
            row_.clear();
            return;
        }
        if (!runs_.empty() && !follows) {
            runs_.push_back({lastY_ + 1, static_cast<int>(distinct_.size())});
            distinct_.emplace_back();
        }
        runs_.push_back({y_, static_cast<int>(distinct_.size())});
        distinct_.push_back(std::move(row_));
        row_.clear();
        lastY_ = y_;
    }

    bool antialiased_;
    int y_ = INT_MIN;
    int lastY_ = INT_MIN;
    std::vector<Span> row_;
    std::vector<std::vector<Span>> distinct_;
    std::vector<BottomUpRun> runs_;
};

// Bars are the rectangles that reach the glyph's top; the text under them never does.
void NarrowBars(const FT_Outline& units, FT_Outline& scaled, long long reduction,
                bool wholePixels) {
    FT_Pos top = LONG_MIN;
    for (int i = 0; i < units.n_points; ++i) {
        top = std::max(top, units.points[i].y);
    }
    const long long leftCut = wholePixels ? reduction / 2 / 64 * 64 : reduction / 2;
    const long long rightCut = reduction - leftCut;
    int start = 0;
    for (int c = 0; c < units.n_contours; ++c) {
        const int end = units.contours[c];
        const int count = end - start + 1;
        bool rectangle = count == 4;
        FT_Pos left = LONG_MAX;
        FT_Pos high = LONG_MIN;
        for (int i = start; rectangle && i <= end; ++i) {
            rectangle = FT_CURVE_TAG(units.tags[i]) == FT_CURVE_TAG_ON;
            const FT_Vector& p = units.points[i];
            const FT_Vector& next = units.points[i == end ? start : i + 1];
            rectangle = rectangle && (p.x == next.x) != (p.y == next.y);
            left = std::min(left, p.x);
            high = std::max(high, p.y);
        }
        if (rectangle && high == top) {
            for (int i = start; i <= end; ++i) {
                scaled.points[i].x += units.points[i].x == left ? leftCut : -rightCut;
            }
        }
        start = end + 1;
    }
}

// The raster rows from firstRow on (y up) in which the outline has anything but straight vertical
// lines that cross the whole row. Coverage in a row comes only from the edges within it, so the
// rows between two busy ones all equal each other: a bar's body is rasterised once, not once a
// pixel of its height. A curve lies within the rows of its control points.
std::vector<bool> BusyRows(const FT_Outline& outline, long firstRow, long rows) {
    std::vector<bool> busy(static_cast<std::size_t>(rows), false);
    auto mark = [&](FT_Pos low, FT_Pos high) {
        // A row that an end only touches on its edge counts too.
        const long from = std::max(((low - 1) >> 6) - firstRow, 0L);
        const long to = std::min((high >> 6) - firstRow, rows - 1);
        for (long row = from; row <= to; ++row) {
            busy[static_cast<std::size_t>(row)] = true;
        }
    };
    int start = 0;
    for (int c = 0; c < outline.n_contours; ++c) {
        const int end = outline.contours[c];
        for (int i = start; i <= end; ++i) {
            const int j = i == end ? start : i + 1;
            const FT_Vector& p = outline.points[i];
            const FT_Vector& q = outline.points[j];
            const bool verticalLine = p.x == q.x &&
                                      FT_CURVE_TAG(outline.tags[i]) == FT_CURVE_TAG_ON &&
                                      FT_CURVE_TAG(outline.tags[j]) == FT_CURVE_TAG_ON;
            if (verticalLine) {
                mark(p.y, p.y);
                mark(q.y, q.y);
            } else {
                mark(std::min(p.y, q.y), std::max(p.y, q.y));
            }
        }
        start = end + 1;
    }
    return busy;
}

} // namespace

std::span<const Span> GlyphImage::RowAt(int row, std::size_t& run) const {
    if (runs.empty() || row < runs.front().first || row >= end) {
        return {};
    }
    run = std::min(run, runs.size() - 1);
    while (row < runs[run].first) {
        --run;
    }
    while (run + 1 < runs.size() && runs[run + 1].first <= row) {
        ++run;
    }
    const auto distinct = static_cast<std::size_t>(runs[run].distinct);
    return std::span<const Span>(spans).subspan(
        static_cast<std::size_t>(rowStarts[distinct]),
        static_cast<std::size_t>(rowStarts[distinct + 1] - rowStarts[distinct]));
}

Result<GlyphImage> RasteriseGlyph(BarcodeFace& face, unsigned glyph, const RasterStyle& style,
                                  int offset) {
    const Failure failed{QStringLiteral("Glyph %1 cannot be rasterised").arg(glyph)};
    const FT_Outline* units = face.Outline(glyph);
    if (!units) {
        return failed;
    }
    if (units->n_points == 0) {
        return GlyphImage();
    }
    FT_Outline scaled{};
    if (FT_Outline_New(face.library(), units->n_points, units->n_contours, &scaled) != 0) {
        return failed;
    }
    FT_Outline_Copy(units, &scaled);
    for (int i = 0; i < scaled.n_points; ++i) {
        scaled.points[i].x = style.scale.Fixed(units->points[i].x) + offset;
        scaled.points[i].y = style.scale.Fixed(units->points[i].y);
    }
    if (style.barReduction > 0) {
        NarrowBars(*units, scaled, style.barReduction, !style.antialiased);
    }

    FT_BBox box{};
    FT_Outline_Get_CBox(&scaled, &box);
    SpanCollector collector(style.antialiased);
    FT_Raster_Params params{};
    params.source = &scaled;
    params.flags = FT_RASTER_FLAG_AA | FT_RASTER_FLAG_DIRECT | FT_RASTER_FLAG_CLIP;
    params.gray_spans = &SpanCollector::Collect;
    params.user = &collector;
    const long firstRow = box.yMin >> 6;
    const long rows = ((box.yMax + 63) >> 6) - firstRow;
    const std::vector<bool> busy = BusyRows(scaled, firstRow, rows);
    // Each run of busy rows is rendered whole, each run of quiet rows by its first row.
    bool rendered = true;
    for (long row = 0; rendered && row < rows;) {
        long end = row + 1;
        while (end < rows &&
               busy[static_cast<std::size_t>(end)] == busy[static_cast<std::size_t>(row)]) {
            ++end;
        }
        const long renderedEnd = busy[static_cast<std::size_t>(row)] ? end : row + 1;
        params.clip_box = {box.xMin >> 6, firstRow + row, (box.xMax + 63) >> 6,
                           firstRow + renderedEnd};
        rendered = FT_Outline_Render(face.library(), &scaled, &params) == 0;
        if (renderedEnd < end) {
            collector.RepeatRow(static_cast<int>(firstRow + row),
                                static_cast<int>(firstRow + end - 1));
        }
        row = end;
    }
    FT_Outline_Done(face.library(), &scaled);
    if (!rendered) {
        return failed;
    }
    return collector.Take();
}

} // namespace picture
