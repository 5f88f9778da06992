// Grades one scan reflectance profile: the global threshold halfway between its lowest and
// highest reflectance splits it into bars and spaces, whose edges (where the profile crosses the
// threshold, between samples) give the element widths the symbol is read from.
#pragma once

#include "verify/parameters.h"
#include "verify/symbol_reader.h"

#include <optional>
#include <span>

namespace verify {

struct ProfileGrade {
    std::array<double, ParameterCount> values{}; // see GradeOf
    std::array<int, ParameterCount> grades{};
    int grade = 0; // the lowest of the grades
    std::optional<ReadSymbol> symbol;
    double symbolContrast() const { return values[std::size_t(Parameter::SymbolContrast)]; }
};

// The profile covers the symbol and its quiet zones; it is read wherever a bar follows the first
// light element.
ProfileGrade GradeProfile(std::span<const double> profile);

} // namespace verify
