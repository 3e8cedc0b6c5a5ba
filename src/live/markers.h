#pragma once

#include <QString>

#include <cstdint>

namespace kav {

// Marker status codes: each picks the picture of a competitor's marker cell.
enum MarkerCode : std::uint8_t {
    kWhiteFlag = 0,
    kGreyFlag = 1,
    kBlackFlag = 2,
    kChequeredFlag = 3,
    kGreenBall = 4,
    kRedCross = 6,
    kGreenArrow = 255,
};

// Whether a code shows a picture (5 and 7 to 254 show none).
bool showsMarker(int code);
// The marker as the files and the pages name it ("green ball"); empty for a code without a picture.
QString markerName(int code);

} // namespace kav
