// Reading Code 93 symbols back, as a scanner does: the edge measures a character is decoded by,
// the check characters over symbol values, and Full ASCII pairs turned back into characters.
// Plain functions over the tables the barcode string is built from.
#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace code93 {

inline constexpr int ModulesPerSymbol = 9;
// What SymbolOfEdges returns for the start (and stop) character, and for no character at all.
inline constexpr int StartStopSymbol = -2;
inline constexpr int NoSymbol = -1;

// Module widths (bar, space, bar, space, bar, space) of a check value 0..46 or StartStopSymbol.
std::string_view ModulePattern(int symbol);

// The character whose edge-to-similar-edge widths e1..e4 (bar + space, space + bar, ... in
// modules, each 2 to 5) these are: a check value, StartStopSymbol or NoSymbol.
int SymbolOfEdges(const std::array<int, 4>& edges);

// The check value of symbol values weighted 1, 2, ... maxWeight, 1, ... counted from the last:
// C has maxWeight 20 over the data, K 15 over the data and C.
int CheckValue(std::span<const int> values, int maxWeight);

// The text that data symbol values (checks excluded) encode, every shift pair read as its one
// character; nullopt when a shift is not followed by a letter it pairs with.
std::optional<std::u16string> DecodeFullAscii(std::span<const int> values);

} // namespace code93
