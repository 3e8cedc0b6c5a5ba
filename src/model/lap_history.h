#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "timing_records.h"

namespace kav {

// The flag shown when a car crossed the line.
enum class LapFlag : std::uint8_t { None, Green, Yellow, Red, Finish };

// One crossing of the line by one car.
struct LapEntry {
    std::int32_t lap = 0;
    TimeValue lapTime = kEmptyLapTime;
    TimeValue totalTime = 0;
    std::uint16_t position = 0; // 0: not known
    LapFlag flag = LapFlag::None;
    bool operator==(const LapEntry&) const = default;
};

// One car's crossings in the order they came.
struct CarLaps {
    std::string regNo;
    std::vector<LapEntry> laps;
};

// Every lap of the run, per car, for the race charts, the race report and laps.csv.
// The lap number and total time of a lap are the timing system's own, from the car's race standing
// after the crossing: a passing sent again, one before the start or after the finish counts nothing,
// a corrected passing replaces the lap it corrects, and a penalty moves the last total. A car the
// feed sends no standings for (a practice session) counts its passings. Bounded to kMaxCars cars of
// kMaxLaps entries each.
class LapHistory {
public:
    static constexpr int kMaxCars = 1000;
    static constexpr int kMaxLaps = 2000;

    // A crossing of the line; false when it repeats the car's last passing or a bound is reached.
    bool addPassing(const PassingRecord& passing, LapFlag flag);
    // A race standing: counts the lap of the car's last crossing, and is its place from now on.
    void takeStanding(const RacePositionRecord& standing);
    // A new run announced: the history waits for the run's name, which tells whether the run goes on.
    void awaitRun();
    // The run's number and name: after awaitRun, a run other than the history's starts it afresh.
    void takeRun(std::uint16_t number, std::string_view name);
    // A new run.
    void clear();

    int carCount() const { return static_cast<int>(m_cars.size()); }
    // Cars in the order they were first seen.
    const CarLaps& car(int index) const { return m_cars[static_cast<std::size_t>(index)].laps; }
    int findCar(std::string_view regNo) const;
    std::size_t entryCount() const { return m_entryCount; }

    // The smallest total time any car completed the lap with, or -1 when no car did.
    TimeValue leaderTime(std::int32_t lap) const;
    // How far the entry's car was behind the first car to complete the same lap, in ten-thousandths.
    std::int64_t gapToLeader(const LapEntry& entry) const;

    // Grows with every change; a view compares it to know whether to look again.
    std::uint64_t revision() const { return m_revision; }
    // Grows when entries already there change in a way a view must redraw (a clear, a lap taken
    // back, a leader time that went up).
    std::uint64_t resets() const { return m_resets; }
    // Grows each time the history starts a run afresh.
    std::uint64_t runsStarted() const { return m_runsStarted; }

private:
    struct Car {
        CarLaps laps;
        PassingRecord lastPassing;
        bool anyPassing = false;
        bool followsStandings = false; // the feed sends this car's standings: they count its laps
        bool waiting = false;          // lastPassing waits for the standing that tells what it was
        bool provisional = false;      // the last entry was counted from a passing alone
        LapFlag waitingFlag = LapFlag::None;
        std::uint16_t position = 0;
    };

    Car* carFor(std::string_view regNo);
    void countPassing(Car& car, const PassingRecord& passing, LapFlag flag,
                      const std::optional<PassingRecord>& previous);
    void countStanding(Car& car, const RacePositionRecord& standing);
    void startFollowingStandings(Car& car);
    bool append(Car& car, const LapEntry& entry);
    void replaceLast(Car& car, const LapEntry& entry);
    void removeLast(Car& car);
    void noteLeaderTime(std::int32_t lap, TimeValue total);
    void forgetLeaderTime(std::int32_t lap, TimeValue total);
    void startRunIfAwaited();

    std::vector<Car> m_cars;
    std::unordered_map<std::string, int> m_index;
    std::map<std::int32_t, TimeValue> m_leaderTimes;
    std::size_t m_entryCount = 0;
    std::uint64_t m_revision = 0;
    std::uint64_t m_resets = 0;
    std::uint64_t m_runsStarted = 0;
    bool m_awaitingRun = false;
    bool m_runKnown = false;
    std::uint16_t m_runNumber = 0;
    std::string m_runName;
};

// The flag word of laps.csv: green, yellow, red, finish or empty.
std::string_view flagWord(LapFlag flag);

} // namespace kav
