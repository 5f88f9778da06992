#include "picture/export_font_size.h"

#include <limits>

namespace picture {

ResolutionConstants ConstantsForResolution(int dpi) {
    switch (dpi) {
    case 1200:
        return {16, 160, 20, 40, 60};
    case 900:
        return {12, 120, 15, 30, 40};
    case 600:
        return {8, 80, 10, 20, 20};
    default:
        return {4, 40, 5, 10, 10};
    }
}

QString NotAnIntegerMessage(const QString& text) {
    return QStringLiteral("'%1' is not a valid integer value").arg(text);
}

Result<int> PointSize(const QString& pointSizeText) {
    bool ok = false;
    const int n = pointSizeText.trimmed().toInt(&ok, 10);
    if (!ok) {
        return Failure{NotAnIntegerMessage(pointSizeText)};
    }
    return n;
}

Result<int> GraphicFontSize(const QString& pointSizeText, int dpi, bool sizeA) {
    const Result<int> n = PointSize(pointSizeText);
    if (!n) {
        return n;
    }
    long long points = static_cast<long long>(*n) * ConstantsForResolution(dpi).scale;
    if (sizeA) {
        points /= 2;
    }
    if (points > std::numeric_limits<int>::max() || points < std::numeric_limits<int>::min()) {
        return Failure{QStringLiteral("The point size %1 is too large for a picture").arg(*n)};
    }
    return static_cast<int>(points);
}

} // namespace picture
