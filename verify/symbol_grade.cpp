#include "verify/symbol_grade.h"

#include "verify/scan_profile.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace verify {
namespace {

constexpr double InspectedShare = 0.8; // of the bar height, about its middle
constexpr double QuietZoneModules = 10;

// Whether a parameter's lower values are its worse ones.
bool LowerIsWorse(Parameter p) {
    return p != Parameter::Defects && p != Parameter::MinimumReflectance;
}

// The worst value of a parameter over the scan lines; decodability only where a line decodes.
double WorstValue(const SymbolGrade& g, Parameter p) {
    const bool lowerIsWorse = LowerIsWorse(p);
    std::optional<double> worst;
    for (const ProfileGrade& line : g.lines) {
        if (p == Parameter::Decodability && !line.symbol) {
            continue;
        }
        const double v = line.values[std::size_t(p)];
        worst = !worst ? v : lowerIsWorse ? std::min(*worst, v) : std::max(*worst, v);
    }
    return worst.value_or(0);
}

// The lowest mean grade, ties in Parameter's order; decode when lines fail to decode and
// nothing grades lower.
Parameter WorstParameter(const SymbolGrade& g) {
    auto mean = [&](Parameter p) { return g.meanGrades[std::size_t(p)]; };
    Parameter worst = Parameter::Decodability;
    for (std::size_t p = 0; p < std::size_t(Parameter::Decode); ++p) {
        if (mean(Parameter(p)) < mean(worst)) {
            worst = Parameter(p);
        }
    }
    const bool undecoded = mean(Parameter::Decode) < GradeOf(Parameter::Decode, 1);
    return undecoded && mean(Parameter::Decode) <= mean(worst) ? Parameter::Decode : worst;
}

void Summarise(SymbolGrade& g) {
    for (std::size_t p = 0; p < ParameterCount; ++p) {
        double sum = 0;
        for (const ProfileGrade& line : g.lines) {
            sum += line.grades[p];
        }
        g.meanGrades[p] = sum / double(g.lines.size());
        g.worstValues[p] = WorstValue(g, Parameter(p));
    }
    g.worst = WorstParameter(g);
    double sum = 0;
    for (const ProfileGrade& line : g.lines) {
        sum += line.grade;
    }
    g.grade = sum / double(g.lines.size());
}

} // namespace

SymbolGrade GradeSymbol(const ReflectanceImage& image, int threshold, const FoundSymbol& symbol) {
    SymbolGrade g;
    g.symbol = symbol;
    g.moduleWidth = symbol.moduleWidth;
    const int middle = (symbol.top + symbol.bottom) / 2;
    g.quietZones = QuietZones(image, threshold, symbol, middle);
    // The profile takes in the quiet zones the symbol needs, whatever lies there.
    const int quietZone = int(std::round(QuietZoneModules * g.moduleWidth));
    const int x0 = std::max(0, symbol.left - quietZone);
    const int x1 = std::min(image.width(), symbol.right + quietZone);
    const double height = symbol.bottom - symbol.top + 1;
    for (int i = 0; i < ScanLines; ++i) {
        const double share = (1 - InspectedShare) / 2 + InspectedShare * (i + 0.5) / ScanLines;
        const int y = symbol.top + int(std::floor(share * height));
        g.lines.push_back(
            GradeProfile(ScanProfile(image, y, x0, x1, ApertureModules * g.moduleWidth)));
    }
    Summarise(g);
    return g;
}

std::vector<SymbolGrade> GradePicture(ReflectanceImage image) {
    const int threshold = DarkLightThreshold(image);
    std::vector<SymbolGrade> grades;
    for (const FoundSymbol& symbol : FindSymbols(image, threshold)) {
        grades.push_back(GradeSymbol(image, threshold, symbol));
    }
    // Upside-down symbols are graded in the turned picture, where they read left to right.
    image.turn();
    for (const FoundSymbol& symbol : FindSymbols(image, threshold)) {
        grades.push_back(GradeSymbol(image, threshold, symbol));
        grades.back().symbol = TurnedBack(symbol, image);
    }
    std::vector<FoundSymbol> places;
    for (const SymbolGrade& g : grades) {
        places.push_back(g.symbol);
    }
    std::vector<SymbolGrade> ordered;
    for (const std::size_t i : ReadingOrder(places)) {
        ordered.push_back(std::move(grades[i]));
    }
    return ordered;
}

} // namespace verify
