#pragma once

#include "picture.h"

#include <array>
#include <cstdint>

namespace kav {

// The seven pictures of the marker column, chosen by a competitor's marker status code.
class StatusPictures {
public:
    StatusPictures();

    // None for the codes that show no picture (5 and 7 to 254).
    const Picture* forCode(std::uint8_t code) const;

private:
    std::array<Picture, 8> m_pictures; // codes 0 to 6, then 255
};

// The program's one set, made on first use.
const StatusPictures& statusPictures();

} // namespace kav
