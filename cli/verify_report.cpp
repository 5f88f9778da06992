#include "cli/verify_report.h"

#include "cli/message_text.h"

#include <QJsonArray>

namespace cli {
namespace {

constexpr double MilsPerInch = 1000;

QString PageName(const VerifiedPage& page) {
    return page.onePage ? page.file : QStringLiteral("%1 page %2").arg(page.file).arg(page.page);
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

QString SymbolLines(const VerifiedPage& page, const verify::SymbolGrade& g, std::size_t index) {
    const verify::FoundSymbol& s = g.symbol;
    const auto worst = std::size_t(g.worst);
    return QStringLiteral("%1: symbol %2 of %3 at %4,%5 (%6 x %7 px): \"%8\"\n"
                          "  grade %9 (%10), worst %11 %12 (%13); %14; quiet zones %15 and %16 "
                          "modules")
        .arg(PageName(page))
        .arg(index + 1)
        .arg(page.symbols.size())
        .arg(s.left)
        .arg(s.top)
        .arg(s.right - s.left)
        .arg(s.bottom - s.top + 1)
        .arg(ShownData(s.text))
        .arg(QChar(verify::GradeLetter(g.grade)))
        .arg(Number(g.grade, 1))
        .arg(QString::fromUtf8(verify::ParameterName(g.worst)))
        .arg(Number(g.worstValues[worst], 2))
        .arg(QChar(verify::GradeLetter(g.meanGrades[worst])))
        .arg(ModuleWidth(page, g.moduleWidth))
        .arg(Number(g.quietZones.first, 1), Number(g.quietZones.second, 1));
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
        {QStringLiteral("parameters"), parameters}};
    if (page.dpi) {
        symbol.insert(QStringLiteral("moduleWidthMils"), g.moduleWidth / *page.dpi * MilsPerInch);
    }
    return symbol;
}

} // namespace

QString PageReport(const VerifiedPage& page) {
    if (page.symbols.empty()) {
        return PageName(page) + QStringLiteral(": no Code 93 symbol found");
    }
    QStringList lines;
    for (std::size_t i = 0; i < page.symbols.size(); ++i) {
        lines << SymbolLines(page, page.symbols[i], i);
    }
    return lines.join(u'\n');
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
