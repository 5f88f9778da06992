// What stria93 verify says about the symbols of one page: lines for people, JSON for scripts.
#pragma once

#include "verify/symbol_grade.h"

#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace cli {

struct VerifiedPage {
    QString file;
    int page = 1;
    bool onePage = true;    // a picture: no page number to say
    std::optional<int> dpi; // the picture's resolution, when known: X is then given in mils
    std::vector<verify::SymbolGrade> symbols;
};

// Two lines a symbol: where it is and what it holds, then its grade, worst parameter, X and
// quiet zones; one line when the page has none.
QStringList PageReport(const VerifiedPage& page);

QJsonObject PageJson(const VerifiedPage& page);

} // namespace cli
