#include "picture/barcode_picture.h"

#include "picture/export_font_size.h"
#include "picture/picture_format.h"
#include "picture/picture_rows.h"

#include <climits>
#include <cmath>
#include <cstring>

namespace picture {

namespace {

// The largest picture made, in every format: more than any barcode that scans needs (a million
// pixels is 21 metres at 1200 dpi), and what picture readers open (libpng refuses wider ones by
// default). A long barcode is refused here, with its size, before anything is drawn.
constexpr long long MaxPictureSide = 1000000;
constexpr long long MaxPicturePixels = 1LL << 30;

// Glyph outlines and metrics go wrong beyond this character height (ascents of 2.6 em pass
// 32,767 pixels, the rasteriser's limit).
constexpr long long MaxFontPixels = 12000;

constexpr int ModulesPerSymbol = 9;

QString WithoutLeadingBlanks(const QString& text) {
    qsizetype start = 0;
    while (start < text.size() && text[start].unicode() <= 0x20) {
        ++start;
    }
    return text.mid(start);
}

// Pixels, rounded as the text engine rounds its 26.6 metrics.
long long Pixels(long long fixed) {
    return (fixed + 32) >> 6;
}

// The font's character height in pixels: pixels / per, a whole number unless the picture has
// its true size.
struct FontPixelSize {
    long long pixels = 0;
    long long per = 1;

    double value() const { return static_cast<double>(pixels) / static_cast<double>(per); }
    long long rounded() const { return (pixels + per / 2) / per; }
};

// The scale of the face at the pixel size, or with exact the largest one at or below it whose
// modules are whole pixels. Fills in the sizes; returns an error text or an empty one.
QString ChooseScale(const BarcodeFace& face, FontPixelSize pixelSize, const ExportRequest& request,
                    PictureLayout& layout) {
    const long long symbol = face.symbolAdvanceUnits();
    const long long em = face.unitsPerEm();
    if (!request.exact) {
        layout.style.scale = {pixelSize.pixels, em * pixelSize.per, false};
        layout.pixelSize = pixelSize.value();
        layout.modulePixels = static_cast<double>(symbol * pixelSize.pixels) /
                              static_cast<double>(ModulesPerSymbol * em * pixelSize.per);
        return {};
    }
    const long long modulePixels =
        symbol * pixelSize.pixels / (ModulesPerSymbol * em * pixelSize.per);
    if (modulePixels < 1) {
        return QStringLiteral("At %1 pixels the modules of \"%2\" are narrower than a pixel; "
                              "whole-pixel modules need a larger point size or resolution")
            .arg(EnglishNumber(pixelSize.rounded()), request.faceName);
    }
    layout.style.scale = {ModulesPerSymbol * modulePixels, symbol, true};
    layout.style.antialiased = false;
    layout.pixelSize =
        static_cast<double>(ModulesPerSymbol * modulePixels * em) / static_cast<double>(symbol);
    layout.modulePixels = static_cast<double>(modulePixels);
    return {};
}

QString CheckBarReduction(const ExportRequest& request, PictureLayout& layout) {
    const double reduction = request.barReduction;
    if (reduction == 0) {
        return {};
    }
    if (!std::isfinite(reduction) || reduction < 0 ||
        (request.exact && reduction != std::floor(reduction))) {
        return QStringLiteral("The bar reduction must be a number of pixels of 0 or more%1")
            .arg(request.exact ? QStringLiteral(", whole with exact modules") : QString());
    }
    if (layout.modulePixels - reduction < 1) {
        return QStringLiteral("A bar reduction of %1 pixels would leave the narrowest bars %2 "
                              "pixels wide; a bar must keep at least 1 pixel")
            .arg(EnglishDecimal(reduction), EnglishDecimal(layout.modulePixels - reduction));
    }
    layout.style.barReduction = std::llround(reduction * 64);
    return {};
}

} // namespace

long long PointsToPixels(int points) {
    // points * 96 / 72 = points * 4 / 3 is never exactly a half, so this rounds to nearest.
    return (4LL * points + 1) / 3;
}

namespace {

// The export font's character height in pixels.
Result<FontPixelSize> FontPixels(const ExportRequest& request) {
    // At its true size the picture is the point size at the resolution, as a word processor
    // sets the face (size a not halved): no nominal scale.
    const Result<int> fontPoints =
        request.trueSize ? PointSize(request.pointSizeText)
                         : GraphicFontSize(request.pointSizeText, request.dpi, request.sizeA);
    if (!fontPoints) {
        return Failure{fontPoints.error()};
    }
    if (*fontPoints < 1) {
        return Failure{QStringLiteral("The point size %1 gives no picture: the font size "
                                      "must be at least 1 point")
                           .arg(request.pointSizeText.trimmed())};
    }
    // The font is sized in pixels at a fixed 96 pixels per inch, not at the display's
    // resolution: the dpi choice is nominal and only scales the drawing, so the same options
    // must give the same picture on every screen (and with no screen at all).
    const FontPixelSize pixelSize =
        request.trueSize ? FontPixelSize{*fontPoints * static_cast<long long>(request.dpi), 72}
                         : FontPixelSize{PointsToPixels(*fontPoints), 1};
    if (pixelSize.value() > MaxFontPixels) {
        return Failure{QStringLiteral("The export font would be %1 pixels high; the largest font "
                                      "is %2 pixels. Choose a lower resolution or a smaller "
                                      "point size.")
                           .arg(EnglishNumber(pixelSize.rounded()), EnglishNumber(MaxFontPixels))};
    }
    return pixelSize;
}

} // namespace

Result<PictureLayout> LayoutPicture(const ExportRequest& request) {
    const Result<FontPixelSize> fontPixels = FontPixels(request);
    if (!fontPixels) {
        return Failure{fontPixels.error()};
    }
    const FontPixelSize pixelSize = *fontPixels;
    PictureLayout layout;
    BarcodeFace* face = BarcodeFace::ForFamily(request.faceName);
    if (!face) {
        return Failure{
            QStringLiteral("The typeface \"%1\" is not installed").arg(request.faceName)};
    }
    layout.faceName = request.faceName;
    if (QString error = ChooseScale(*face, pixelSize, request, layout); !error.isEmpty()) {
        return Failure{error};
    }
    if (QString error = CheckBarReduction(request, layout); !error.isEmpty()) {
        return Failure{error};
    }

    const Scale& scale = layout.style.scale;
    const long long ascent = Pixels(scale.Fixed(face->ascentUnits()));
    const long long descent = Pixels(scale.Fixed(face->descentUnits()));
    if (ascent <= 0 || descent < 0) {
        return Failure{QStringLiteral("The typeface \"%1\" gives no usable size at %2 pixels")
                           .arg(request.faceName, EnglishNumber(pixelSize.rounded()))};
    }
    layout.text = WithoutLeadingBlanks(request.outputText);
    ShapedText shaped = face->Shape(layout.text, scale);
    layout.glyphs = std::move(shaped.glyphs);

    const long long cellHeight = ascent + descent;
    const long long textWidth = Pixels(shaped.advance);
    const ResolutionConstants constants = ConstantsForResolution(request.dpi);
    const int top = request.sizeA ? constants.topMarginSizeA : constants.topMargin;
    const long long raise = request.sizeA ? cellHeight / 4 : 0;
    const long long width = textWidth + 3LL * constants.sideMargin;
    const long long height = top + cellHeight - raise + constants.bottomMargin;
    if (width > MaxPictureSide || height > MaxPictureSide || width * height > MaxPicturePixels) {
        return Failure{
            QStringLiteral("The picture would be %1 x %2 pixels; a picture is at most %3 pixels "
                           "a side and %4 pixels in all. Choose a lower resolution, a smaller "
                           "point size or shorter data.")
                .arg(EnglishNumber(width), EnglishNumber(height), EnglishNumber(MaxPictureSide),
                     EnglishNumber(MaxPicturePixels))};
    }

    layout.cellHeight = static_cast<int>(cellHeight);
    layout.textWidth = static_cast<int>(textWidth);
    layout.raise = static_cast<int>(raise);
    layout.cellOrigin = QPoint(constants.sideMargin, top - layout.raise);
    layout.baseline = layout.cellOrigin.y() + static_cast<int>(ascent);
    layout.size = QSize(static_cast<int>(width), static_cast<int>(height));
    layout.dotsPerInch = request.trueSize ? request.dpi : 0;
    return layout;
}

Result<QImage> MakePicture(const ExportRequest& request) {
    const Result<PictureLayout> layout = LayoutPicture(request);
    if (!layout) {
        return Failure{layout.error()};
    }
    Result<PictureRows> rows = PictureRows::Make(*layout);
    if (!rows) {
        return Failure{rows.error()};
    }
    QImage image(layout->size, QImage::Format_Grayscale8);
    if (image.isNull()) {
        return Failure{
            QStringLiteral("There is not enough memory for a picture of %1 x %2 pixels")
                .arg(EnglishNumber(layout->size.width()), EnglishNumber(layout->size.height()))};
    }
    for (int y = 0; y < image.height(); ++y) {
        std::memcpy(image.scanLine(y), rows->row(y), static_cast<std::size_t>(image.width()));
    }
    return image;
}

} // namespace picture
