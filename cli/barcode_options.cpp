#include "barcode_options.h"

namespace cli {
namespace {

constexpr int LargestPoints = 1000;

} // namespace

QString ParseArguments(QCommandLineParser& parser, const Args& args) {
    QStringList arguments{QStringLiteral("stria93")};
    for (const std::string& arg : args) {
        arguments << QString::fromStdString(arg);
    }
    if (!parser.parse(arguments)) {
        return parser.errorText() + QStringLiteral(" (put -- before data that starts with -)");
    }
    return {};
}

std::optional<int> WholeNumber(const QString& text, int smallest, int largest) {
    bool ok = false;
    const int n = text.toInt(&ok, 10);
    if (!ok || n < smallest || n > largest) {
        return std::nullopt;
    }
    return n;
}

QString BarcodeChoice::faceName() const {
    return QString::fromStdU16String(code93::FaceName(style, sizeLetter));
}

void AddBarcodeOptions(QCommandLineParser& parser) {
    parser.addOption({QStringLiteral("style"), QStringLiteral("standard or hr"),
                      QStringLiteral("style"), QStringLiteral("hr")});
    parser.addOption({QStringLiteral("size"), QStringLiteral("a to f"), QStringLiteral("letter"),
                      QStringLiteral("d")});
    parser.addOption({QStringLiteral("points"), QStringLiteral("point size"), QStringLiteral("N"),
                      QStringLiteral("24")});
}

QString ReadBarcodeOptions(const QCommandLineParser& parser, BarcodeChoice& choice) {
    const QString style = parser.value(QStringLiteral("style"));
    if (style != u"standard" && style != u"hr") {
        return QStringLiteral("--style must be standard or hr, not '%1'").arg(style);
    }
    choice.style = style == u"hr" ? code93::Style::HumanReadable : code93::Style::Standard;

    const QString size = parser.value(QStringLiteral("size"));
    if (size.size() != 1 || size[0] < u'a' || size[0] > u'f') {
        return QStringLiteral("--size must be one of a, b, c, d, e, f, not '%1'").arg(size);
    }
    choice.sizeLetter = size[0].unicode();

    const QString points = parser.value(QStringLiteral("points"));
    const auto n = WholeNumber(points, 1, LargestPoints);
    if (!n) {
        return QStringLiteral("--points must be a whole number from 1 to %1, not '%2'")
            .arg(LargestPoints)
            .arg(points);
    }
    choice.points = *n;
    return {};
}

} // namespace cli
