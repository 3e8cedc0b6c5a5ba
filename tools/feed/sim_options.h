#pragma once

#include <cstdint>
#include <string>

#include "feed_time.h"

namespace kav {

// The feed's time of day when the first session starts, and where its clock turns over.
inline constexpr TimeValue kSimStartOfDay = 14 * kTicksPerHour;
inline constexpr TimeValue kSimDay = 24 * kTicksPerHour;
// Run numbers go from 1 to this one.
inline constexpr int kSimLastRun = 9999;

// What kind of session the simulator runs; the same options give the same feed.
struct SimOptions {
    int cars = 20;
    int laps = 10; // a race's length; in practice the session lasts about this many laps
    bool practice = false;
    std::uint64_t seed = 1;
    int run = 1;                           // the run number of $B
    TimeValue startOfDay = kSimStartOfDay; // the time of day of the session's $I
    // Habits of real timing computers, each off unless asked for:
    bool formation = false;   // every car crosses the line once before the start, counting no lap
    bool corrections = false; // now and then a passing is sent again corrected, with its standing
    bool penalties = false;   // half way through, one car's total grows by a penalty without a crossing
    bool reconnect = false;   // the listener loses a minute of the race and is sent the whole state again
    bool pitLoops = false;    // $L from the track line and the pit lane's loops; cars stop once or twice
};

// One feed line (no line end) and the session time at which it is sent.
struct SimLine {
    TimeValue at = 0;
    std::string text;
    bool operator==(const SimLine&) const = default;
};

} // namespace kav
