#include "encoding/code93_reading.h"

#include "encoding/code93_tables.h"

namespace code93 {
namespace {

constexpr int FirstShift = 43; // ($), (%), (/), (+): font characters "<", "=", ">", "?"

std::array<int, 4> EdgesOf(std::string_view pattern) {
    std::array<int, 4> edges{};
    for (std::size_t i = 0; i < edges.size(); ++i) {
        edges[i] = (pattern[i] - '0') + (pattern[i + 1] - '0');
    }
    return edges;
}

// The control characters, which typed data reaches through markers and so have no entry in the
// table of printable expansions.
int ControlCode(char16_t shift, char16_t letter) {
    if (shift == u'<') {
        return letter - u'A' + 1; // SOH to SUB
    }
    if (shift == u'=' && letter <= u'E') {
        return letter - u'A' + 27; // ESC to US
    }
    if (shift == u'=' && letter == u'U') {
        return 0;
    }
    if (shift == u'=' && (letter == u'T' || letter >= u'X')) {
        return 127;
    }
    return -1;
}

int PairCode(char16_t shift, char16_t letter) {
    if (letter < u'A' || letter > u'Z') {
        return -1;
    }
    const char16_t pair[] = {shift, letter};
    for (std::size_t i = 0; i < tables::PrintableText.size(); ++i) {
        if (tables::PrintableText[i] == std::u16string_view(pair, 2)) {
            return static_cast<int>(i) + 32;
        }
    }
    return ControlCode(shift, letter);
}

} // namespace

std::string_view ModulePattern(int symbol) {
    if (symbol == StartStopSymbol) {
        return tables::StartStopPattern;
    }
    return tables::Patterns.at(static_cast<std::size_t>(symbol));
}

int SymbolOfEdges(const std::array<int, 4>& edges) {
    if (edges == EdgesOf(tables::StartStopPattern)) {
        return StartStopSymbol;
    }
    for (std::size_t v = 0; v < tables::Patterns.size(); ++v) {
        if (edges == EdgesOf(tables::Patterns[v])) {
            return static_cast<int>(v);
        }
    }
    return NoSymbol;
}

int CheckValue(std::span<const int> values, int maxWeight) {
    long long sum = 0;
    int weight = 1;
    for (auto v = values.rbegin(); v != values.rend(); ++v) {
        sum += static_cast<long long>(*v) * weight;
        weight = weight == maxWeight ? 1 : weight + 1;
    }
    return static_cast<int>(sum % SymbolCount);
}

std::optional<std::u16string> DecodeFullAscii(std::span<const int> values) {
    std::u16string text;
    for (std::size_t i = 0; i < values.size(); ++i) {
        const int v = values[i];
        if (v < 0 || v >= SymbolCount) {
            return std::nullopt;
        }
        if (v < FirstShift) {
            text += v == tables::ValueOf(u' ') ? u' ' : tables::SymbolChars[v];
            continue;
        }
        const int code = i + 1 < values.size() && values[i + 1] < FirstShift
                             ? PairCode(tables::SymbolChars[v], tables::SymbolChars[values[i + 1]])
                             : -1;
        if (code < 0) {
            return std::nullopt;
        }
        text += static_cast<char16_t>(code);
        ++i;
    }
    return text;
}

} // namespace code93
