#include "code_lists.h"

#include <algorithm>

namespace kav {

void compactCodes(std::span<std::uint8_t> codes, std::uint8_t first, std::uint8_t last)
{
    std::size_t kept = 0;
    for (std::size_t i = 0; i < codes.size() && codes[i] != kNoCode; ++i) {
        const std::uint8_t code = codes[i];
        const auto seen = codes.begin() + static_cast<std::ptrdiff_t>(kept);
        if (code >= first && code <= last && std::find(codes.begin(), seen, code) == seen)
            codes[kept++] = code;
    }
    std::fill(codes.begin() + static_cast<std::ptrdiff_t>(kept), codes.end(), kNoCode);
}

} // namespace kav
