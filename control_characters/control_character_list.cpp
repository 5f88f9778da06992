#include "control_characters/control_character_list.h"

#include "encoding/code93.h"

#include <array>
#include <utility>

namespace stria {
namespace {

const QChar Percent(code93::PercentMarker);
const QChar Dollar(code93::DollarMarker);

// The entries whose letter is not simply the one after "Ctrl-".
const std::array<std::pair<QString, QString>, 7>& NamedPairs() {
    static const std::array<std::pair<QString, QString>, 7> pairs = {{
        {QStringLiteral("Null"), QString(Percent) + QLatin1Char('U')},
        {QStringLiteral("Bell"), QString(Dollar) + QLatin1Char('G')},
        {QStringLiteral("Tab"), QString(Dollar) + QLatin1Char('I')},
        {QStringLiteral("Line Feed"), QString(Dollar) + QLatin1Char('J')},
        {QStringLiteral("Form Feed"), QString(Dollar) + QLatin1Char('L')},
        {QStringLiteral("Carriage Return"), QString(Dollar) + QLatin1Char('M')},
        {QStringLiteral("Escape"), QString(Percent) + QLatin1Char('A')},
    }};
    return pairs;
}

} // namespace

const QStringList& SpecialCharacterNames() {
    static const QStringList names = [] {
        QStringList list;
        for (const auto& [name, pair] : NamedPairs()) {
            list.append(name);
        }
        for (const char letter : QByteArrayLiteral("ABCDEFHKNPQRSTUVWXYZ")) {
            list.append(QStringLiteral("Ctrl-") + QLatin1Char(letter));
        }
        return list;
    }();
    return names;
}

QString SpecialCharacterPair(const QString& listText) {
    for (const auto& [name, pair] : NamedPairs()) {
        if (listText == name) {
            return pair;
        }
    }
    if (listText.size() < 6) {
        return {};
    }
    return QString(Dollar) + listText.at(5);
}

} // namespace stria
