#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "line_crossing.h"

namespace kav {

// What the pit-lane loops tell of one car.
struct PitState {
    bool inPitLane = false;
    std::int32_t stops = 0;
    TimeValue lastStop = -1;        // pit-in to pit-out of the last stop; -1: none, or the car left unseen
    std::int32_t laps = 0;          // the car's lap count, from its standings
    std::int32_t stintStartLap = 0; // its lap count when it last left the pit lane
    std::int32_t lapsInStint() const { return laps - stintStartLap; }
    bool operator==(const PitState&) const = default;
};

// The pit state of every car from its line crossings. A car is in the pit lane from a pit-in until
// its next pit-out or track crossing (a pit-out loop can miss it); each pit-in is a stop, a second one
// before the car is seen on the track again is the same stop read twice. A crossing sent again counts
// nothing. Stops run across midnight. Bounded to kMaxCars cars.
class PitStops {
public:
    static constexpr std::size_t kMaxCars = 1000;

    // False when the crossing repeats the car's last one, or names no car the bound leaves room for.
    bool take(const LineCrossingRecord& crossing);
    // The car's lap count from its standings.
    void takeLaps(std::string_view regNo, std::int32_t laps);
    // The car's state; nullptr when no crossing of it came.
    const PitState* find(std::string_view regNo) const;
    // Every car a crossing came for, by registration number.
    std::vector<std::pair<std::string, PitState>> states() const;
    // Whether any crossing came: a feed without pit loops leaves every pit value empty.
    bool anyCrossing() const { return m_anyCrossing; }
    void clear()
    {
        m_cars.clear();
        m_anyCrossing = false;
    }

private:
    struct Car {
        PitState state;
        TimeValue pitIn = -1; // of the stop under way
        LineCrossingRecord last;
        bool crossed = false; // a crossing of the car came, not only its laps
    };
    Car* car(std::string_view regNo);

    std::map<std::string, Car, std::less<>> m_cars;
    bool m_anyCrossing = false;
};

} // namespace kav
