#include "picture/shaped_barcode.h"

#include <QFont>
#include <QFontInfo>
#include <QPainter>
#include <QRawFont>
#include <QTextLayout>

namespace picture {
namespace {

constexpr int ModulesPerSymbol = 9;

} // namespace

Result<ShapedBarcode> ShapedBarcode::Shape(const QString& faceName, const QString& text) {
    QFont font(faceName);
    font.setPixelSize(static_cast<int>(EmPixels));
    font.setStyleStrategy(QFont::NoFontMerging);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(false);
    if (QFontInfo(font).family() != faceName) {
        return Failure{QStringLiteral("The typeface \"%1\" is not installed").arg(faceName)};
    }

    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    layout.endLayout();

    ShapedBarcode shaped;
    const QRawFont raw = QRawFont::fromFont(font);
    shaped.ascent_ = raw.ascent();
    shaped.descent_ = raw.descent();
    const QList<QPointF> symbol = raw.advancesForGlyphIndexes(raw.glyphIndexesForString("A"));
    shaped.module_ = symbol.isEmpty() ? 0 : symbol.front().x() / ModulesPerSymbol;
    if (line.isValid()) {
        shaped.advance_ = line.horizontalAdvance();
        // The line's baseline lies at its ascent, which is the font's: positions are from the
        // cell's top-left corner already.
        shaped.runs_ = layout.glyphRuns();
    }
    return shaped;
}

QPainterPath ShapedBarcode::outline(double points, QPointF cellTopLeft) const {
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    for (const QGlyphRun& run : runs_) {
        const QRawFont font = run.rawFont();
        const QList<quint32> glyphs = run.glyphIndexes();
        const QList<QPointF> positions = run.positions();
        for (qsizetype i = 0; i < glyphs.size(); ++i) {
            path.addPath(font.pathForGlyph(glyphs[i]).translated(positions[i]));
        }
    }
    QTransform toPoints;
    toPoints.translate(cellTopLeft.x(), cellTopLeft.y());
    toPoints.scale(points / EmPixels, points / EmPixels);
    return toPoints.map(path);
}

void ShapedBarcode::draw(QPainter& painter, double points, QPointF cellTopLeft) const {
    painter.save();
    painter.translate(cellTopLeft);
    painter.scale(points / EmPixels, points / EmPixels);
    painter.setPen(Qt::black);
    for (const QGlyphRun& run : runs_) {
        painter.drawGlyphRun(QPointF(0, 0), run);
    }
    painter.restore();
}

} // namespace picture
