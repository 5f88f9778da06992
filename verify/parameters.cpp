#include "verify/parameters.h"

namespace verify {
namespace {

// The least value of grades 4, 3, 2 and 1, for parameters that grow better upwards.
struct Steps {
    double a, b, c, d;
};
constexpr Steps SymbolContrastSteps{0.70, 0.55, 0.40, 0.20};
constexpr Steps ModulationSteps{0.70, 0.60, 0.50, 0.40};
constexpr Steps DecodabilitySteps{0.62, 0.50, 0.37, 0.25};
// Defects grow worse upwards: the most of grades 4, 3, 2 and 1.
constexpr Steps DefectsSteps{0.15, 0.20, 0.25, 0.30};
constexpr double LeastEdgeContrast = 0.15;
constexpr double HighestMinimumReflectance = 0.5; // of the highest

int Rising(double value, const Steps& s) {
    return value >= s.a ? 4 : value >= s.b ? 3 : value >= s.c ? 2 : value >= s.d ? 1 : 0;
}

int Falling(double value, const Steps& s) {
    return value <= s.a ? 4 : value <= s.b ? 3 : value <= s.c ? 2 : value <= s.d ? 1 : 0;
}

} // namespace

std::string_view ParameterName(Parameter parameter) {
    constexpr std::array<std::string_view, ParameterCount> names = {
        "decodability",  "modulation",          "defects", "symbol contrast",
        "edge contrast", "minimum reflectance", "decode"};
    return names[std::size_t(parameter)];
}

int GradeOf(Parameter parameter, double value) {
    switch (parameter) {
    case Parameter::Decode:
        return value > 0 ? 4 : 0;
    case Parameter::MinimumReflectance:
        return value <= HighestMinimumReflectance ? 4 : 0;
    case Parameter::EdgeContrast:
        return value >= LeastEdgeContrast ? 4 : 0;
    case Parameter::SymbolContrast:
        return Rising(value, SymbolContrastSteps);
    case Parameter::Modulation:
        return Rising(value, ModulationSteps);
    case Parameter::Decodability:
        return Rising(value, DecodabilitySteps);
    case Parameter::Defects:
        return Falling(value, DefectsSteps);
    case Parameter::Count:
        break;
    }
    return 0;
}

char GradeLetter(double grade) {
    return grade >= 3.5 ? 'A' : grade >= 2.5 ? 'B' : grade >= 1.5 ? 'C' : grade >= 0.5 ? 'D' : 'F';
}

} // namespace verify
