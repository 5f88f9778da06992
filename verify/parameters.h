// The parameters of a scan reflectance profile and their grades 4 (A) to 0 (F).
#pragma once

#include <array>
#include <string_view>

namespace verify {

// In the order a tie for the worst parameter is reported in; Decode comes last, since a scan
// line that does not decode grades 0 in decodability too.
enum class Parameter {
    Decodability,
    Modulation,
    Defects,
    SymbolContrast,
    EdgeContrast,
    MinimumReflectance,
    Decode,
    Count
};
inline constexpr std::size_t ParameterCount = std::size_t(Parameter::Count);

// "decodability", "modulation", "defects", "symbol contrast", "edge contrast",
// "minimum reflectance", "decode".
std::string_view ParameterName(Parameter parameter);

// The grade of a parameter's value: Decode 1 when the scan line reads, else 0; MinimumReflectance
// the lowest reflectance divided by the highest; EdgeContrast its minimum; the others as
// measured (contrasts and reflectances 0 to 1).
int GradeOf(Parameter parameter, double value);

// A, B, C, D or F for a grade from 0 to 4 (a symbol's mean of its scan lines).
char GradeLetter(double grade);

} // namespace verify
