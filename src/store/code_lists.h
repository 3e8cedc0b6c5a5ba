#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace kav {

// Marks an unused place in a list of codes (column identifiers, general information items).
inline constexpr std::uint8_t kNoCode = 255;
// The result columns: the one place their number is written. The first seventeen are the timing
// system's own; the class standings and pit columns follow them.
inline constexpr std::size_t kColumnIds = 25;
inline constexpr std::size_t kFeedColumnIds = 17;

// Brings a list of codes read from a file into the form the program itself produces: only codes from
// first to last, each once, in their order, all before the first unused place, the rest unused.
// Anything else in a file (a foreign or damaged one) would otherwise reach tables indexed by code.
void compactCodes(std::span<std::uint8_t> codes, std::uint8_t first, std::uint8_t last);

} // namespace kav
