#include "picture/barcode_face.h"

#include "picture/typeface_file.h"

#include <QFile>
#include <QHash>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H
#include <hb-ot.h>
#include <hb.h>
#include <memory>

namespace picture {

namespace {

// FreeType's own rounding, kept bit for bit: the window lays text out through FreeType's
// linear advances, and the export must measure the same widths.
long long DivFix(long long a, long long b) {
    return ((a << 16) + b / 2) / b;
}

long long MulDiv(long long a, long long b, long long c) {
    return (a * b + c / 2) / c;
}

hb_position_t LaidOutAdvanceCallback(hb_font_t*, void* face, hb_codepoint_t glyph, void*) {
    return static_cast<hb_position_t>(static_cast<BarcodeFace*>(face)->LaidOutAdvance(glyph));
}

hb_font_funcs_t* AdvanceFunctions() {
    static hb_font_funcs_t* functions = [] {
        hb_font_funcs_t* made = hb_font_funcs_create();
        hb_font_funcs_set_glyph_h_advance_func(made, LaidOutAdvanceCallback, nullptr, nullptr);
        hb_font_funcs_make_immutable(made);
        return made;
    }();
    return functions;
}

} // namespace

long long Scale::Fixed(long long units) const {
    const long long scaled = units * 64 * numerator;
    const long long half = denominator / 2;
    return scaled >= 0 ? (scaled + half) / denominator : -((-scaled + half) / denominator);
}

long long Scale::Advance(long long units) const {
    if (exact) {
        return units * 64 * numerator / denominator;
    }
    // numerator is the pixel size, denominator the units per em: FreeType's 16.16 scale and
    // linear advance, then truncated to 26.6 as the text layout does.
    const long long xScale = DivFix(numerator * 64, denominator);
    return MulDiv(units, xScale, 64) >> 10;
}

BarcodeFace* BarcodeFace::ForFamily(const QString& family) {
    thread_local QHash<QString, std::shared_ptr<BarcodeFace>> faces;
    if (const auto found = faces.constFind(family); found != faces.cend()) {
        return found->get();
    }
    std::shared_ptr<BarcodeFace> face;
    const QString file = TypefaceFile(family);
    QFile in(file);
    if (!file.isEmpty() && in.open(QIODevice::ReadOnly)) {
        face.reset(new BarcodeFace(in.readAll()));
        if (!face->loaded()) {
            face.reset();
        }
    }
    faces.insert(family, face);
    return face.get();
}

BarcodeFace::BarcodeFace(QByteArray data) : data_(std::move(data)) {
    if (FT_Init_FreeType(&library_) != 0 ||
        FT_New_Memory_Face(library_, reinterpret_cast<const FT_Byte*>(data_.constData()),
                           data_.size(), 0, &face_) != 0) {
        face_ = nullptr;
        return;
    }
    unitsPerEm_ = face_->units_per_EM;
    ascent_ = face_->ascender;
    descent_ = -face_->descender;
    // The text engine prefers the typographic metrics when the font asks for them.
    constexpr FT_UShort UseTypoMetrics = 1 << 7;
    if (const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face_, FT_SFNT_OS2))) {
        if (os2->fsSelection & UseTypoMetrics) {
            ascent_ = os2->sTypoAscender;
            descent_ = -os2->sTypoDescender;
        } else {
            ascent_ = os2->usWinAscent;
            descent_ = os2->usWinDescent;
        }
    }

    hb_blob_t* blob = hb_blob_create(data_.constData(), static_cast<unsigned>(data_.size()),
                                     HB_MEMORY_MODE_READONLY, nullptr, nullptr);
    hb_face_t* hbFace = hb_face_create(blob, 0);
    hb_blob_destroy(blob);
    unscaled_ = hb_font_create(hbFace);
    hb_face_destroy(hbFace);
    hb_font_set_scale(unscaled_, unitsPerEm_, unitsPerEm_);
    font_ = hb_font_create_sub_font(unscaled_);
    hb_font_set_funcs(font_, AdvanceFunctions(), this, nullptr);
}

BarcodeFace::~BarcodeFace() {
    hb_font_destroy(font_);
    hb_font_destroy(unscaled_);
    if (face_) {
        FT_Done_Face(face_);
    }
    if (library_) {
        FT_Done_FreeType(library_);
    }
}

long long BarcodeFace::AdvanceUnits(unsigned glyph) const {
    return hb_font_get_glyph_h_advance(unscaled_, glyph);
}

long long BarcodeFace::symbolAdvanceUnits() const {
    hb_codepoint_t glyph = 0;
    hb_font_get_nominal_glyph(unscaled_, 'A', &glyph);
    return AdvanceUnits(glyph);
}

long long BarcodeFace::LaidOutAdvance(unsigned glyph) const {
    return scale_.Advance(AdvanceUnits(glyph));
}

ShapedText BarcodeFace::Shape(const QString& text, const Scale& scale) {
    scale_ = scale;
    const int ppem = static_cast<int>(scale.Fixed(unitsPerEm_));
    hb_font_set_scale(font_, ppem, ppem);

    hb_buffer_t* buffer = hb_buffer_create();
    hb_buffer_add_utf16(buffer, reinterpret_cast<const uint16_t*>(text.utf16()),
                        static_cast<int>(text.size()), 0, static_cast<int>(text.size()));
    hb_buffer_set_direction(buffer, HB_DIRECTION_LTR);
    hb_buffer_guess_segment_properties(buffer);
    // As the window sets the face: no kerning.
    const hb_feature_t noKerning{HB_TAG('k', 'e', 'r', 'n'), 0, HB_FEATURE_GLOBAL_START,
                                 HB_FEATURE_GLOBAL_END};
    hb_shape(font_, buffer, &noKerning, 1);

    unsigned count = 0;
    const hb_glyph_info_t* infos = hb_buffer_get_glyph_infos(buffer, &count);
    const hb_glyph_position_t* positions = hb_buffer_get_glyph_positions(buffer, &count);
    ShapedText shaped;
    shaped.glyphs.reserve(count);
    for (unsigned i = 0; i < count; ++i) {
        shaped.glyphs.push_back(
            {infos[i].codepoint, shaped.advance + positions[i].x_offset, positions[i].y_offset});
        shaped.advance += positions[i].x_advance;
    }
    hb_buffer_destroy(buffer);
    return shaped;
}

const FT_Outline_* BarcodeFace::Outline(unsigned glyph) {
    if (FT_Load_Glyph(face_, glyph, FT_LOAD_NO_SCALE | FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP) !=
            0 ||
        face_->glyph->format != FT_GLYPH_FORMAT_OUTLINE) {
        return nullptr;
    }
    return &face_->glyph->outline;
}

} // namespace picture
