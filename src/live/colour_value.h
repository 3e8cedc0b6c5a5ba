#pragma once

#include <cstdint>

namespace kav {

// Colour values are 0x00BBGGRR, red in the lowest byte, as stored in settings and layout files. A value
// with the top bit set names a system colour by its index in the low byte.
using ColorValue = std::int32_t;

} // namespace kav
