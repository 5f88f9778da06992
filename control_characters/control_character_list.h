// The named control characters of the Insert list and the marker pair each one appends.
#pragma once

#include <QString>
#include <QStringList>

namespace stria {

// The 27 names of the list, in their order.
const QStringList& SpecialCharacterNames();

// The pair Insert appends for a list text: the stored pair of one of the seven named entries
// (exact match), else the ($) marker followed by the sixth character of the text ("Ctrl-Q" ->
// "ªQ"). A text of fewer than six characters names nothing and gives the empty text.
QString SpecialCharacterPair(const QString& listText);

} // namespace stria
