#include "cli/barcode_options.h"

#include "encoding/point_size.h"

namespace cli {

QString BarcodeChoice::faceName() const {
    return QString::fromStdU16String(code93::FaceName(style, sizeLetter));
}

QCommandLineOption StyleOption() {
    return {QStringLiteral("style"),
            QStringLiteral("standard (bars only) or hr (Human Readable, the data under the bars)"),
            QStringLiteral("S"), QStringLiteral("hr")};
}

QCommandLineOption SizeOption() {
    return {QStringLiteral("size"), QStringLiteral("a (widest bars) to f (narrowest)"),
            QStringLiteral("L"), QStringLiteral("d")};
}

QCommandLineOption PointsOption() {
    return {QStringLiteral("points"), QStringLiteral("the point size, 24 unless given"),
            QStringLiteral("N"), QStringLiteral("24")};
}

std::optional<int> WholeNumber(const QString& text, int smallest, int largest) {
    bool ok = false;
    const int n = text.toInt(&ok, 10);
    if (!ok || n < smallest || n > largest) {
        return std::nullopt;
    }
    return n;
}

Result<> ReadFace(const CommandLine& line, BarcodeChoice& choice) {
    const QString style = line.text(QStringLiteral("style"));
    if (style != u"standard" && style != u"hr") {
        return Failure{QStringLiteral("--style must be standard or hr, not '%1'").arg(style)};
    }
    choice.style = style == u"hr" ? code93::Style::HumanReadable : code93::Style::Standard;

    const QString size = line.text(QStringLiteral("size"));
    if (size.size() != 1 || size[0] < u'a' || size[0] > u'f') {
        return Failure{
            QStringLiteral("--size must be one of a, b, c, d, e, f, not '%1'").arg(size)};
    }
    choice.sizeLetter = size[0].unicode();
    return {};
}

Result<BarcodeChoice> ReadBarcodeOptions(const CommandLine& line) {
    BarcodeChoice choice;
    if (const Result<> face = ReadFace(line, choice); !face) {
        return Failure{face.error()};
    }
    const Result<int> points = ReadPoints(line.text(QStringLiteral("points")));
    if (!points) {
        return Failure{points.error()};
    }
    choice.points = *points;
    return choice;
}

Result<int> ReadPoints(const QString& points) {
    const auto n = WholeNumber(points, code93::SmallestPointSize, code93::LargestPointSize);
    if (!n) {
        return Failure{QStringLiteral("--points must be a whole number from %1 to %2, not '%3'")
                           .arg(code93::SmallestPointSize)
                           .arg(code93::LargestPointSize)
                           .arg(points)};
    }
    return *n;
}

} // namespace cli
