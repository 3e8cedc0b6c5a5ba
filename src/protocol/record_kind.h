#pragma once

#include <cstdint>

namespace kav {

// Record kinds: the number the program gives each tag of the feed.
enum RecordKind : std::uint8_t {
    kKindA = 0,
    kKindB = 1,
    kKindC = 2,
    kKindD = 3,
    kKindE = 4,
    kKindF = 5,
    kKindG = 6,
    kKindH = 7,
    kKindI = 8,
    kKindJ = 9,
    kKindJQ = 10,
    kKindT = 11,
    kKindComp = 12,
    kKindFreq = 13,
    kKindTranRel = 14,
    kKindResult = 15,
    kKindSchemeInfo = 16,
    kKindS = 17,
    kKindPoint = 18,
    kKindPointScheme = 19,
    kKindQ = 20,
    kKindSponsorMake = 21,
    kKindLine = 22,     // a raw line; never produced by recognition
    kKindUnknown = 23,  // any other first field, an empty line included
    kKindCrossing = 24, // $L, a line crossing: numbered after the others, which keep their numbers
};

} // namespace kav
