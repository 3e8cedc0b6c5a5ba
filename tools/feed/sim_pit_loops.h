#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "sim_entry_list.h"
#include "sim_random.h"

namespace kav {

// One pit stop the simulator gave a car: the crossing that completes `lap` is in the pit lane, on the
// pit lane's own line; session times of the pit-in and pit-out loops.
struct SimPitStop {
    std::string regNo;
    int lap = 0;
    TimeValue pitIn = 0;
    TimeValue pitOut = 0;
    bool operator==(const SimPitStop&) const = default;
};

// Where each car stops in a race with pit-lane loops: once in a race of kMinLaps laps or more, in
// about half of the races of kTwoStopLaps or more twice, standing a varying time. Its own random
// numbers, so that a race without loops stays what it was.
class SimPitPlan {
public:
    static constexpr int kMinLaps = 6;
    static constexpr int kTwoStopLaps = 20;
    // From the pit-in loop to the pit lane's line, and from the line to the pit-out loop, besides the stop.
    static constexpr TimeValue kLaneTime = 10 * kTicksPerSecond;

    SimPitPlan(int cars, int laps, bool on, std::uint64_t seed);

    // How long the car stands in its box on the lap, or 0 when it does not stop on it.
    TimeValue standing(int car, int lap) const;
    // The stops as they were made, in order.
    const std::vector<SimPitStop>& stops() const { return m_made; }
    void made(const SimPitStop& stop) { m_made.push_back(stop); }

private:
    std::vector<std::map<int, TimeValue>> m_plan; // per car: lap, standing time
    std::vector<SimPitStop> m_made;
};

// A $L line of the car on the named line at a session time, the feed's clock starting at startOfDay.
std::string lineCrossingLine(const SimCar& car, const char* line, TimeValue startOfDay, TimeValue at);

} // namespace kav
