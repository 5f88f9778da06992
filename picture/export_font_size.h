// The export's font size and margins, chosen by the nominal resolution of the picture.
#pragma once

#include "result/result.h"

#include <QString>
#include <array>

namespace picture {

// All in pixels except the scale, which multiplies the point size.
struct ResolutionConstants {
    int scale;
    int sideMargin;     // m: left margin m, right margin 2 m
    int topMarginSizeA; // T when size a is chosen
    int topMargin;      // T for the other sizes
    int bottomMargin;   // D
};

struct Resolution {
    int dpi;
    ResolutionConstants constants;
};

// The nominal resolutions an export offers, lowest first, with their constants.
inline constexpr std::array<Resolution, 4> Resolutions{{{300, {4, 40, 5, 10, 10}},
                                                        {600, {8, 80, 10, 20, 20}},
                                                        {900, {12, 120, 15, 30, 40}},
                                                        {1200, {16, 160, 20, 40, 60}}}};
inline constexpr int DefaultDpi = 600;

// The constants of the resolution; a value not offered gets those of the lowest.
ResolutionConstants ConstantsForResolution(int dpi);

// "'<text>' is not a valid integer value": how a point size that is no whole number is refused,
// by the export and by the main window alike.
QString NotAnIntegerMessage(const QString& text);

// The whole number in pointSizeText, or "'<text>' is not a valid integer value".
Result<int> PointSize(const QString& pointSizeText);

// The point size of the export font: the whole number in pointSizeText times the resolution's
// scale, halved (truncating) for size a. Text that is not a whole number is refused with
// "'<text>' is not a valid integer value".
Result<int> GraphicFontSize(const QString& pointSizeText, int dpi, bool sizeA);

} // namespace picture
