// A barcode string shaped in its typeface, as a word processor or browser sets it: OpenType
// features applied (the HR faces' contextual alternates), no hinting, no substitute fonts.
// Shaped once at 1000 pixels per em and drawn at any size, so vector output is exact.
#pragma once

#include "result/result.h"

#include <QGlyphRun>
#include <QList>
#include <QPainterPath>
#include <QPointF>
#include <QString>
#include <optional>

class QPainter;

namespace picture {

class ShapedBarcode {
public:
    // Needs a QGuiApplication; fails when the face is not known to the font database.
    static ::Result<ShapedBarcode> Shape(const QString& faceName, const QString& text);

    // At a font size in points, in points: the advance of the whole text, quiet zones included,
    // and its text cell (ascent above the baseline, descent below).
    double width(double points) const { return advance_ * points / EmPixels; }
    double ascent(double points) const { return ascent_ * points / EmPixels; }
    double cellHeight(double points) const { return (ascent_ + descent_) * points / EmPixels; }
    // One Code 93 module: a ninth of a symbol's advance.
    double moduleWidth(double points) const { return module_ * points / EmPixels; }

    // The glyph outlines, the text cell's top-left corner at cellTopLeft.
    QPainterPath outline(double points, QPointF cellTopLeft) const;

    // Draws the glyphs as text (a PDF embeds the typeface), cell's top-left at cellTopLeft, in
    // the painter's current units taken as points.
    void draw(QPainter& painter, double points, QPointF cellTopLeft) const;

private:
    static constexpr double EmPixels = 1000;
    QList<QGlyphRun> runs_; // positions from the cell's top-left corner
    double advance_ = 0;
    double ascent_ = 0;
    double descent_ = 0;
    double module_ = 0;
};

} // namespace picture
