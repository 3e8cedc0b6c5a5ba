#pragma once

#include <cstdint>
#include <vector>

#include "feed_time.h"

namespace kav {

// What the timing knows of one car: its laps, the time of its last crossing and its best lap.
struct SimProgress {
    std::int32_t laps = 0;
    TimeValue total = 0;   // the session time of the last crossing
    TimeValue penalty = 0; // added to the total the feed sends
    std::int32_t bestLap = 0;
    TimeValue bestLapTime = kEmptyLapTime;
};

// A position that changed: the place (from 1) and the car now holding it.
struct SimPlace {
    int position = 0;
    int car = 0;
    bool operator==(const SimPlace&) const = default;
};

// The race order and the best-lap order of the field, reporting which places changed hands.
class SimStandings {
public:
    explicit SimStandings(int cars);

    const SimProgress& progress(int car) const { return m_progress[static_cast<std::size_t>(car)]; }
    const std::vector<int>& raceOrder() const { return m_raceOrder; }
    const std::vector<int>& bestOrder() const { return m_bestOrder; }

    // A crossing: the places of the race order that changed, and the crossing car's own place.
    std::vector<SimPlace> cross(int car, TimeValue at, TimeValue lapTime);
    // The car's last crossing was timed later (or earlier) by this much.
    void correct(int car, TimeValue by) { m_progress[static_cast<std::size_t>(car)].total += by; }
    void penalise(int car, TimeValue by) { m_progress[static_cast<std::size_t>(car)].penalty += by; }
    // The place (from 1) of the car in the race order.
    int placeOf(int car) const;
    // The places of the best-lap order that changed with the last crossing.
    std::vector<SimPlace> bestLapChanges();

private:
    static std::vector<SimPlace> changes(const std::vector<int>& before, const std::vector<int>& after, int car);

    std::vector<SimProgress> m_progress;
    std::vector<int> m_raceOrder; // car indices, leader first
    std::vector<int> m_bestOrder; // cars with a best lap, fastest first
    int m_lastCar = -1;
    bool m_bestImproved = false;
};

} // namespace kav
