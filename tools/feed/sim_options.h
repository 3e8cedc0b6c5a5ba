#pragma once

#include <cstdint>
#include <string>

#include "zeb_time.h"

namespace kav {

// What kind of session the simulator runs; the same options give the same feed.
struct TSimOptions {
    int cars = 20;
    int laps = 10; // a race's length; in practice the session lasts about this many laps
    bool practice = false;
    std::uint64_t seed = 1;
};

// One feed line (no line end) and the session time at which it is sent.
struct TSimLine {
    TimeValue at = 0;
    std::string text;
    bool operator==(const TSimLine&) const = default;
};

} // namespace kav
