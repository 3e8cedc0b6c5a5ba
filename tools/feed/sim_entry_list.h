#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "feed_time.h"
#include "sim_random.h"

namespace kav {

// One simulated competitor: who it is and how fast and steady it drives.
struct SimCar {
    std::string regNo;
    std::string number;
    std::uint8_t classNo = 1;
    std::string firstName;
    std::string lastName;
    std::string nationality;
    std::string team;
    TimeValue pace = 0;        // a clean lap on a green track
    TimeValue consistency = 0; // spread of lap times around the pace
};

// The two classes of the simulated field, numbered from 1.
inline constexpr const char* kSimClassNames[] = {"GT Masters", "Cup Series"};

// The field of a session; the grid order is the order of the list.
std::vector<SimCar> makeEntryList(int cars, SimRandom& random);

} // namespace kav
