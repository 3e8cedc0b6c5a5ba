#pragma once

#include <cstdint>
#include <vector>

#include "gap_writer.h"

namespace kav {

// Class numbers run from 0 (no class given; such cars stand together as one class) to 255.
inline constexpr std::int32_t kClassNumbers = 256;

// A car of the overall standings as the class standings need it.
struct StandingEntry {
    std::int32_t classNo = 0;
    std::int32_t laps = 0;
    TimeValue totalTime = 0;
};

// A car's place within its class and its distances to the cars around it.
struct ClassStanding {
    std::uint16_t classPosition = 0;
    // To the class's first car: the time behind it on the same lap, the laps behind it on fewer; the
    // first car shows its laps. A car's gap changes with its own standing and its leader's only, so
    // that the cells of a big field are not all written again on every standing.
    GapSource classGap;
    // To the car directly ahead overall and in the class: the time behind it on the same lap, the
    // laps behind it on fewer; the first car has none.
    GapSource interval;
    GapSource classInterval;
    bool operator==(const ClassStanding&) const = default;
};

// The class standings of the overall standings, entry for entry; entries are in overall order.
std::vector<ClassStanding> classStandings(const std::vector<StandingEntry>& overall);

} // namespace kav
