// A barcode typeface loaded for the export: HarfBuzz shapes the text, FreeType gives the
// outlines. Text is shaped, never mapped character by character, so that the typeface's own
// substitutions (contextual alternates of the human-readable text) take effect.
#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

struct FT_LibraryRec_;
struct FT_FaceRec_;
struct FT_Outline_;
struct hb_font_t;

namespace picture {

// Pixels per font unit as an exact fraction. Lengths are 26.6 fixed point (1/64 pixel).
struct Scale {
    long long numerator = 1; // pixels = units * numerator / denominator
    long long denominator = 1;
    // Whole-pixel modules: advances exact. Otherwise advances are rounded down to 1/64 pixel
    // the way the system's text layout does, so that text widths match those of the window.
    bool exact = false;

    long long Fixed(long long units) const;   // rounded to nearest
    long long Advance(long long units) const; // a glyph's advance as text layout places it
    bool operator==(const Scale&) const = default;
};

struct ShapedGlyph {
    unsigned glyph = 0; // glyph index in the face
    long long x = 0;    // pen position, 26.6, from the start of the text
    long long y = 0;    // offset above the baseline, 26.6
};

struct ShapedText {
    std::vector<ShapedGlyph> glyphs;
    long long advance = 0; // 26.6
};

// Not shared between threads: each thread loads its own (ForFamily).
class BarcodeFace {
public:
    // The face of this family for the calling thread, loaded from the font folder on first
    // use; null when the folder has no such typeface.
    static BarcodeFace* ForFamily(const QString& family);

    BarcodeFace(const BarcodeFace&) = delete;
    BarcodeFace& operator=(const BarcodeFace&) = delete;
    ~BarcodeFace();

    int unitsPerEm() const { return unitsPerEm_; }
    int ascentUnits() const { return ascent_; }
    int descentUnits() const { return descent_; }
    // The advance of the symbol of "A", nine Code 93 modules.
    long long symbolAdvanceUnits() const;
    // A glyph's advance, 26.6, at the scale of the last Shape.
    long long LaidOutAdvance(unsigned glyph) const;

    ShapedText Shape(const QString& text, const Scale& scale);

    // The glyph's outline in font units, y up; valid until the next call.
    const FT_Outline_* Outline(unsigned glyph);
    FT_LibraryRec_* library() const { return library_; }

private:
    explicit BarcodeFace(QByteArray data);
    bool loaded() const { return face_ && font_; }
    long long AdvanceUnits(unsigned glyph) const;

    QByteArray data_;
    FT_LibraryRec_* library_ = nullptr;
    FT_FaceRec_* face_ = nullptr;
    hb_font_t* unscaled_ = nullptr; // advances in font units
    hb_font_t* font_ = nullptr;     // shapes at the scale being laid out
    int unitsPerEm_ = 1000;
    int ascent_ = 0;
    int descent_ = 0;
    Scale scale_;
};

} // namespace picture
