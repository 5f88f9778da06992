#include "verify/profile_grade.h"

#include <algorithm>
#include <vector>

namespace verify {
namespace {

// One bar or space of the profile: its samples from first to last (included) and its width from
// edge to edge.
struct Element {
    std::size_t first = 0;
    std::size_t last = 0;
    double width = 0;
    bool bar = false;
    double reflectance = 0; // a bar's lowest, a space's highest
    double nonUniformity = 0;
};

// Where the profile crosses the threshold between samples i and i + 1.
double Crossing(std::span<const double> p, std::size_t i, double threshold) {
    return double(i) + (p[i] - threshold) / (p[i] - p[i + 1]);
}

// The highest peak less the lowest valley (a sample with higher ones on both sides) of a space,
// the mirror of it for a bar: the element reflectance non-uniformity, 0 with no valley.
double NonUniformity(std::span<const double> p, const Element& e) {
    const double sign = e.bar ? -1 : 1; // a bar's humps are a space's valleys upside down
    std::vector<double> highestBefore(e.last - e.first + 1);
    double highest = -2;
    for (std::size_t i = e.first; i <= e.last; ++i) {
        highest = std::max(highest, sign * p[i]);
        highestBefore[i - e.first] = highest;
    }
    double highestAfter = -2;
    double lowestValley = highest;
    for (std::size_t i = e.last + 1; i-- > e.first;) {
        highestAfter = std::max(highestAfter, sign * p[i]);
        if (std::min(highestBefore[i - e.first], highestAfter) > sign * p[i]) {
            lowestValley = std::min(lowestValley, sign * p[i]);
        }
    }
    return highest - lowestValley;
}

std::vector<Element> Elements(std::span<const double> p, double threshold) {
    std::vector<Element> elements;
    double edge = 0;
    std::size_t first = 0;
    for (std::size_t i = 0; i < p.size(); ++i) {
        const bool bar = p[i] <= threshold;
        const bool ends = i + 1 == p.size() || (p[i + 1] <= threshold) != bar;
        if (!ends) {
            continue;
        }
        const double next = i + 1 == p.size() ? double(p.size()) : Crossing(p, i, threshold);
        Element e{first, i, next - edge, bar, 0, 0};
        const auto [low, high] = std::minmax_element(p.begin() + first, p.begin() + i + 1);
        e.reflectance = bar ? *low : *high;
        e.nonUniformity = NonUniformity(p, e);
        elements.push_back(e);
        edge = next;
        first = i + 1;
    }
    return elements;
}

std::optional<ReadSymbol> ReadElements(const std::vector<Element>& elements) {
    std::vector<double> widths;
    for (const Element& e : elements) {
        widths.push_back(e.width);
    }
    for (std::size_t i = 1; i < elements.size(); ++i) {
        if (elements[i].bar && !elements[i - 1].bar) {
            if (auto read = ReadSymbolAt(widths, i)) {
                return read;
            }
        }
    }
    return std::nullopt;
}

} // namespace

ProfileGrade GradeProfile(std::span<const double> profile) {
    ProfileGrade g;
    if (profile.size() < 2) {
        return g;
    }
    const auto [low, high] = std::minmax_element(profile.begin(), profile.end());
    const double contrast = *high - *low;
    const std::vector<Element> elements = Elements(profile, *low + contrast / 2);
    double edgeContrast = contrast;
    double nonUniformity = 0;
    for (std::size_t i = 0; i < elements.size(); ++i) {
        if (i > 0) {
            edgeContrast = std::min(
                edgeContrast, std::abs(elements[i].reflectance - elements[i - 1].reflectance));
        }
        nonUniformity = std::max(nonUniformity, elements[i].nonUniformity);
    }
    g.symbol = ReadElements(elements);
    auto set = [&](Parameter p, double value) { g.values[std::size_t(p)] = value; };
    set(Parameter::Decode, g.symbol ? 1 : 0);
    set(Parameter::Decodability, g.symbol ? g.symbol->decodability : 0);
    set(Parameter::SymbolContrast, contrast);
    set(Parameter::EdgeContrast, edgeContrast);
    set(Parameter::Modulation, contrast > 0 ? edgeContrast / contrast : 0);
    set(Parameter::Defects, contrast > 0 ? nonUniformity / contrast : 1);
    set(Parameter::MinimumReflectance, *high > 0 ? *low / *high : 1);
    g.grade = 4;
    for (std::size_t p = 0; p < ParameterCount; ++p) {
        g.grades[p] = GradeOf(Parameter(p), g.values[p]);
        g.grade = std::min(g.grade, g.grades[p]);
    }
    return g;
}

} // namespace verify
