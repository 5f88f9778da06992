#include "picture/export_font_size.h"

#include <limits>

namespace picture {

ResolutionConstants ConstantsForResolution(int dpi) {
    for (const Resolution& resolution : Resolutions) {
        if (resolution.dpi == dpi) {
            return resolution.constants;
        }
    }
    return Resolutions.front().constants;
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
