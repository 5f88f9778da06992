// A symbol's grade: ten scan lines spread over the middle 80 % of its bar height, each seen
// through an aperture of 0.8 X and graded by its lowest parameter; the symbol grade is their mean.
#pragma once

#include "verify/profile_grade.h"
#include "verify/reflectance_image.h"
#include "verify/symbol_finder.h"

#include <vector>

namespace verify {

inline constexpr int ScanLines = 10;
inline constexpr double ApertureModules = 0.8;

struct SymbolGrade {
    FoundSymbol symbol;
    double moduleWidth = 0;               // X in pixels
    std::pair<double, double> quietZones; // left and right, in modules
    std::vector<ProfileGrade> lines;      // ScanLines of them
    double grade = 0;                     // mean of the lines' grades, 0 to 4
    std::array<double, ParameterCount> meanGrades{};
    std::array<double, ParameterCount> worstValues{}; // each parameter on its worst line
    Parameter worst = Parameter::Decode; // the lowest mean grade, ties in Parameter's order
};

SymbolGrade GradeSymbol(const ReflectanceImage& image, int threshold, const FoundSymbol& symbol);

// Every symbol of the picture, found and graded, in reading order; upside-down ones too.
// Takes the picture by value: it is turned round in place for the upside-down ones.
std::vector<SymbolGrade> GradePicture(ReflectanceImage image);

} // namespace verify
