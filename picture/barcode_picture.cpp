#include "barcode_picture.h"

#include "export_font_size.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QLocale>
#include <QPainter>

namespace picture {

namespace {

// No picture side may pass this (the largest any of the four formats can take), and no picture
// may need more than a gigabyte: beyond that allocation succeeds on paper and the system
// runs out of memory while the picture is being filled.
constexpr long long MaxPictureSide = 1000000;
constexpr long long MaxPicturePixels = 1LL << 30;

// Font metrics go wrong beyond this character height (ascents of 2.6 em pass 32,767 pixels).
constexpr long long MaxFontPixels = 12000;

// Advances up to this many pixels are measured exactly (Qt's 26.6 fixed point holds them).
constexpr long long MaxExactAdvance = 30000000;

QString Number(long long n) {
    return QLocale(QLocale::English, QLocale::UnitedStates).toString(n);
}

QString TooLargeMessage(long long width, long long height) {
    return QStringLiteral("The picture would be %1 x %2 pixels; a picture may be at most %3 "
                          "pixels wide or high and hold at most %4 pixels. Choose a lower "
                          "resolution or a smaller point size.")
        .arg(Number(width), Number(height), Number(MaxPictureSide), Number(MaxPicturePixels));
}

QString WithoutLeadingBlanks(const QString& text) {
    qsizetype start = 0;
    while (start < text.size() && text[start].unicode() <= 0x20) {
        ++start;
    }
    return text.mid(start);
}

// Per character in 64 bits, for texts too wide for Qt's own measure; such texts are refused,
// so shaping details do not matter here.
long long SumOfAdvances(const QFontMetrics& metrics, const QString& text) {
    long long sum = 0;
    for (const QChar c : text) {
        sum += metrics.horizontalAdvance(c);
    }
    return sum;
}

} // namespace

long long PointsToPixels(int points) {
    // points * 96 / 72 = points * 4 / 3 is never exactly a half, so this rounds to nearest.
    return (4LL * points + 1) / 3;
}

PictureLayout LayoutPicture(const ExportRequest& request) {
    PictureLayout layout;
    const FontSizeResult fontSize =
        GraphicFontSize(request.pointSizeText, request.dpi, request.sizeA);
    if (!fontSize.error.isEmpty()) {
        layout.error = fontSize.error;
        return layout;
    }
    layout.fontPoints = fontSize.points;
    if (fontSize.points < 1) {
        layout.error = QStringLiteral("The point size %1 gives no picture: the font size "
                                      "must be at least 1 point")
                           .arg(request.pointSizeText.trimmed());
        return layout;
    }

    // The font is sized in pixels at a fixed 96 pixels per inch, not at the display's
    // resolution: the dpi choice is nominal and only scales the drawing, so the same options
    // must give the same picture on every screen (and with no screen at all).
    const long long pixelSize = PointsToPixels(fontSize.points);
    if (pixelSize > MaxFontPixels) {
        layout.error = QStringLiteral("The export font would be %1 pixels high; the largest font "
                                      "is %2 pixels. Choose a lower resolution or a smaller "
                                      "point size.")
                           .arg(Number(pixelSize), Number(MaxFontPixels));
        return layout;
    }
    layout.font = QFont(request.faceName);
    layout.font.setPixelSize(static_cast<int>(pixelSize));
    // Every glyph from the barcode typeface itself, with its exact advances and outlines.
    layout.font.setStyleStrategy(QFont::NoFontMerging);
    layout.font.setHintingPreference(QFont::PreferNoHinting);
    layout.font.setKerning(false);
    if (QFontInfo(layout.font).family() != request.faceName) {
        layout.error = QStringLiteral("The typeface \"%1\" is not installed").arg(request.faceName);
        return layout;
    }

    layout.text = WithoutLeadingBlanks(request.outputText);
    const QFontMetrics metrics(layout.font);
    const long long cellHeight = metrics.ascent() + metrics.descent();
    const long long widthBound = static_cast<long long>(layout.text.size()) * metrics.maxWidth();
    const long long textWidth = widthBound <= MaxExactAdvance
                                    ? metrics.horizontalAdvance(layout.text)
                                    : SumOfAdvances(metrics, layout.text);

    const ResolutionConstants constants = ConstantsForResolution(request.dpi);
    const int top = request.sizeA ? constants.topMarginSizeA : constants.topMargin;
    const long long raise = request.sizeA ? cellHeight / 4 : 0;
    const long long width = textWidth + 3LL * constants.sideMargin;
    const long long height = top + cellHeight - raise + constants.bottomMargin;
    if (metrics.ascent() <= 0 || metrics.descent() < 0) {
        layout.error = QStringLiteral("The typeface \"%1\" gives no usable size at %2 pixels")
                           .arg(request.faceName, Number(pixelSize));
        return layout;
    }
    if (width > MaxPictureSide || height > MaxPictureSide || width * height > MaxPicturePixels) {
        layout.error = TooLargeMessage(width, height);
        return layout;
    }

    layout.cellHeight = static_cast<int>(cellHeight);
    layout.textWidth = static_cast<int>(textWidth);
    layout.raise = static_cast<int>(raise);
    layout.cellOrigin = QPoint(constants.sideMargin, top - layout.raise);
    layout.baseline = layout.cellOrigin.y() + metrics.ascent();
    layout.size = QSize(static_cast<int>(width), static_cast<int>(height));
    return layout;
}

PictureResult MakePicture(const ExportRequest& request) {
    const PictureLayout layout = LayoutPicture(request);
    if (!layout.error.isEmpty()) {
        return {QImage(), layout.error};
    }
    // 8-bit grey: the picture is black on white, and every format stores grey without loss.
    QImage image(layout.size, QImage::Format_Grayscale8);
    if (image.isNull()) {
        return {QImage(), QStringLiteral("There is not enough memory for a picture of %1 x %2 "
                                         "pixels")
                              .arg(Number(layout.size.width()), Number(layout.size.height()))};
    }
    image.fill(255);
    QPainter painter(&image);
    painter.setFont(layout.font);
    painter.setPen(Qt::black);
    painter.drawText(layout.cellOrigin.x(), layout.baseline, layout.text);
    painter.end();
    return {image, {}};
}

} // namespace picture
