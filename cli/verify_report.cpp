#include "cli/verify_report.h"

#include "cli/message_text.h"

#include <QJsonArray>

namespace cli {
namespace {

constexpr double MilsPerInch = 1000;

QString PageName(const VerifiedPage& page) {
    return page.onePage ? page.file
                        : QStringLiteral("%1 page %2").arg(page.file, QString::number(page.page));
}

QString ShownData(const std::u16string& text) {
    const std::string utf8 = QString::fromStdU16String(text).toUtf8().toStdString();
    return QString::fromStdString(ShowControlCharacters(utf8));
}

QString Number(double value, int decimals) {
    return QString::number(value, 'f', decimals);
}

QString ModuleWidth(const VerifiedPage& page, double pixels) {
    QString text = QStringLiteral("X %1 px").arg(Number(pixels, 2));
    if (page.dpi) {
        text += QStringLiteral(" = %1 mil").arg(Number(pixels / *page.dpi * MilsPerInch, 1));
    }
    return text;
}

// One pass of arg() over strings only, so that a "%1" in the data or a file name stays as it is.
QStringList SymbolLines(const VerifiedPage& page, const verify::SymbolGrade& g, std::size_t index) {
    const verify::FoundSymbol& s = g.symbol;
    const auto worst = std::size_t(g.worst);
    const QString place =
        QStringLiteral("%1: symbol %2 of %3 at %4,%5 (%6 x %7 px%8): \"%9\"")
            .arg(PageName(page), QString::number(index + 1), QString::number(page.symbols.size()),
                 QString::number(s.left), QString::number(s.top), QString::number(s.right - s.left),
                 QString::number(s.bottom - s.top + 1),
                 s.upsideDown ? QStringLiteral(", upside down") : QString(), ShownData(s.text));
    const QString grade =
        QStringLiteral("  grade %1 (%2), worst %3 %4 (%5); %6; quiet zones %7 and %8 modules")
            .arg(QChar(verify::GradeLetter(g.grade)), Number(g.grade, 1),
                 QString::fromUtf8(verify::ParameterName(g.worst)), Number(g.worstValues[worst], 2),
                 QChar(verify::GradeLetter(g.meanGrades[worst])), ModuleWidth(page, g.moduleWidth),
                 Number(g.quietZones.first, 1), Number(g.quietZones.second, 1));
    return {place, grade};
}

QJsonObject SymbolJson(const VerifiedPage& page, const verify::SymbolGrade& g) {
    const verify::FoundSymbol& s = g.symbol;
    QJsonObject parameters;
    for (std::size_t p = 0; p < verify::ParameterCount; ++p) {
        parameters.insert(QString::fromUtf8(verify::ParameterName(verify::Parameter(p))),
                          QJsonObject{{QStringLiteral("worst"), g.worstValues[p]},
                                      {QStringLiteral("grade"), g.meanGrades[p]}});
    }
    QJsonObject symbol{
        {QStringLiteral("x"), s.left},
        {QStringLiteral("y"), s.top},
        {QStringLiteral("width"), s.right - s.left},
        {QStringLiteral("height"), s.bottom - s.top + 1},
        {QStringLiteral("data"), QString::fromStdU16String(s.text)},
        {QStringLiteral("moduleWidthPixels"), g.moduleWidth},
        {QStringLiteral("quietZones"), QJsonArray{g.quietZones.first, g.quietZones.second}},
        {QStringLiteral("grade"), g.grade},
        {QStringLiteral("letter"), QString(QChar(verify::GradeLetter(g.grade)))},
        {QStringLiteral("worst"), QString::fromUtf8(verify::ParameterName(g.worst))},
        {QStringLiteral("upsideDown"), s.upsideDown},
        {QStringLiteral("parameters"), parameters}};
    if (page.dpi) {
        symbol.insert(QStringLiteral("moduleWidthMils"), g.moduleWidth / *page.dpi * MilsPerInch);
    }
    return symbol;
}

} // namespace

QStringList PageReport(const VerifiedPage& page) {
    if (page.symbols.empty()) {
        return {PageName(page) + QStringLiteral(": no Code 93 symbol found")};
    }
    QStringList lines;
    for (std::size_t i = 0; i < page.symbols.size(); ++i) {
        lines << SymbolLines(page, page.symbols[i], i);
    }
    return lines;
}

QJsonObject PageJson(const VerifiedPage& page) {
    QJsonArray symbols;
    for (const verify::SymbolGrade& g : page.symbols) {
        symbols.append(SymbolJson(page, g));
    }
    return {{QStringLiteral("file"), page.file},
            {QStringLiteral("page"), page.page},
            {QStringLiteral("symbols"), symbols}};
}

} // namespace cli
