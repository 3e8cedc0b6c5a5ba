#pragma once

#include <cstdint>

namespace kav {

// Horizontal placement of a cell's text.
enum CellAlignment : std::uint8_t { kAlignLeft = 0, kAlignRight = 1, kAlignCenter = 2 };

} // namespace kav
