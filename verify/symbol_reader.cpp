#include "verify/symbol_reader.h"

#include "encoding/code93_reading.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace verify {
namespace {

constexpr std::size_t ElementsPerCharacter = 6;
constexpr int CChecks = 20; // the weights C and K run up to
constexpr int KChecks = 15;
constexpr double WidestTerminationBar = 3; // modules: anything wider is not this symbol's

struct Character {
    int symbol = code93::NoSymbol;
    double decodability = 0;
};

Character ReadCharacter(std::span<const double> w) {
    double s = 0;
    for (std::size_t i = 0; i < ElementsPerCharacter; ++i) {
        s += w[i];
    }
    if (s <= 0) {
        return {};
    }
    std::array<int, 4> edges{};
    Character character{code93::NoSymbol, 1};
    for (std::size_t i = 0; i < edges.size(); ++i) {
        const double modules = (w[i] + w[i + 1]) * code93::ModulesPerSymbol / s;
        edges[i] = static_cast<int>(std::floor(modules + 0.5));
        character.decodability =
            std::min(character.decodability, 1 - 2 * std::abs(modules - edges[i]));
    }
    character.symbol = code93::SymbolOfEdges(edges);
    return character;
}

bool ChecksHold(const std::vector<int>& values) {
    const std::span<const int> all(values);
    const std::size_t n = values.size();
    return code93::CheckValue(all.first(n - 2), CChecks) == values[n - 2] &&
           code93::CheckValue(all.first(n - 1), KChecks) == values[n - 1];
}

} // namespace

std::optional<ReadSymbol> ReadSymbolAt(std::span<const double> widths, std::size_t firstBar) {
    ReadSymbol read;
    read.firstBar = firstBar;
    read.decodability = 1;
    std::size_t at = firstBar;
    for (bool started = false;; at += ElementsPerCharacter) {
        if (at + ElementsPerCharacter > widths.size()) {
            return std::nullopt;
        }
        const Character c = ReadCharacter(widths.subspan(at, ElementsPerCharacter));
        if (c.symbol == code93::NoSymbol || (!started && c.symbol != code93::StartStopSymbol)) {
            return std::nullopt;
        }
        read.decodability = std::min(read.decodability, c.decodability);
        if (started && c.symbol == code93::StartStopSymbol) {
            break;
        }
        if (started) {
            read.values.push_back(c.symbol);
        }
        started = true;
    }
    const std::size_t termination = at + ElementsPerCharacter;
    const double module = (widths[termination - 1] + widths[termination - 2]) / 5; // e4 = 5
    if (termination >= widths.size() || widths[termination] > WidestTerminationBar * module ||
        read.values.size() < 3 || !ChecksHold(read.values)) {
        return std::nullopt;
    }
    const auto text =
        code93::DecodeFullAscii(std::span<const int>(read.values).first(read.values.size() - 2));
    if (!text) {
        return std::nullopt;
    }
    read.text = *text;
    read.elementCount = termination + 1 - firstBar;
    return read;
}

} // namespace verify
