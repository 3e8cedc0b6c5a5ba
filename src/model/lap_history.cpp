#include "lap_history.h"

#include <algorithm>
#include <limits>

namespace kav {

namespace {
constexpr std::int64_t kMinTime = std::numeric_limits<TimeValue>::min();
constexpr std::int64_t kMaxTime = std::numeric_limits<TimeValue>::max();

// One lap on; a lap count at the top of its range (a garbled standing) stays there.
std::int32_t nextLap(std::int32_t lap)
{
    return lap == std::numeric_limits<std::int32_t>::max() ? lap : lap + 1;
}
} // namespace

bool LapHistory::addPassing(const PassingRecord& passing, LapFlag flag)
{
    Car* car = carFor(passing.RegNo);
    if (!car)
        return false;
    std::vector<LapEntry>& laps = car->laps.laps;
    // The timing system sends its last passing again after a reconnect or a relay's hiccup.
    if (!laps.empty() && car->lastPassing == passing)
        return false;
    if (laps.size() >= static_cast<std::size_t>(kMaxLaps))
        return false;
    LapEntry entry;
    entry.lap = nextLap(laps.empty() ? car->standingLaps : laps.back().lap);
    entry.lapTime = passing.LapTime;
    const std::int64_t before = laps.empty() ? car->standingTotal : laps.back().totalTime;
    const std::int64_t total = passing.LapTime == kEmptyLapTime ? before : before + passing.LapTime;
    entry.totalTime = static_cast<TimeValue>(std::clamp<std::int64_t>(total, kMinTime, kMaxTime));
    entry.position = car->position;
    entry.flag = flag;
    laps.push_back(entry);
    car->lastPassing = passing;
    car->open = true;
    ++m_entryCount;
    noteLeaderTime(entry.lap, entry.totalTime);
    ++m_revision;
    return true;
}

void LapHistory::takeStanding(const RacePositionRecord& standing)
{
    Car* car = carFor(standing.RegNo);
    if (!car)
        return;
    car->position = standing.Position;
    car->standingLaps = standing.Laps;
    car->standingTotal = standing.TotalTime;
    if (car->open)
        completeEntry(*car, standing);
}

// The standing after a crossing tells the lap count and total time the timing system keeps. One whose
// lap count does not go forward counts no new lap: the counted lap and time stay, only the place is new.
void LapHistory::completeEntry(Car& car, const RacePositionRecord& standing)
{
    LapEntry& entry = car.laps.laps.back();
    const LapEntry before = entry;
    // The counted lap is one more than the car had before the crossing.
    if (standing.Laps >= entry.lap) {
        entry.lap = standing.Laps;
        entry.totalTime = standing.TotalTime;
    }
    entry.position = standing.Position;
    car.open = false;
    if (before.lap != entry.lap || before.totalTime != entry.totalTime) {
        forgetLeaderTime(before.lap, before.totalTime);
        noteLeaderTime(entry.lap, entry.totalTime);
    }
    ++m_revision;
}

void LapHistory::clear()
{
    m_cars.clear();
    m_index.clear();
    m_leaderTimes.clear();
    m_entryCount = 0;
    ++m_revision;
    ++m_resets;
}

int LapHistory::findCar(std::string_view regNo) const
{
    const auto found = m_index.find(std::string(regNo));
    return found == m_index.end() ? -1 : found->second;
}

LapHistory::Car* LapHistory::carFor(std::string_view regNo)
{
    const int index = findCar(regNo);
    if (index >= 0)
        return &m_cars[static_cast<std::size_t>(index)];
    if (m_cars.size() >= static_cast<std::size_t>(kMaxCars))
        return nullptr;
    m_index.emplace(std::string(regNo), static_cast<int>(m_cars.size()));
    m_cars.emplace_back();
    m_cars.back().laps.regNo = std::string(regNo);
    return &m_cars.back();
}

TimeValue LapHistory::leaderTime(std::int32_t lap) const
{
    const auto found = m_leaderTimes.find(lap);
    return found == m_leaderTimes.end() ? -1 : found->second;
}

std::int64_t LapHistory::gapToLeader(const LapEntry& entry) const
{
    const TimeValue leader = leaderTime(entry.lap);
    return leader < 0 ? 0 : std::int64_t{entry.totalTime} - leader;
}

void LapHistory::noteLeaderTime(std::int32_t lap, TimeValue total)
{
    const auto [slot, added] = m_leaderTimes.emplace(lap, total);
    if (!added && total < slot->second) {
        slot->second = total;
        ++m_resets; // every gap drawn for this lap moves
    }
}

// An entry's time changed: when it was the lap's leader time, the lap's leader time is found again.
void LapHistory::forgetLeaderTime(std::int32_t lap, TimeValue total)
{
    const auto slot = m_leaderTimes.find(lap);
    if (slot == m_leaderTimes.end() || slot->second != total)
        return;
    m_leaderTimes.erase(slot);
    // A car's laps only go up, so each car is searched from its end down to that lap.
    for (const Car& car : m_cars) {
        for (auto entry = car.laps.laps.rbegin(); entry != car.laps.laps.rend() && entry->lap >= lap; ++entry) {
            if (entry->lap == lap)
                noteLeaderTime(lap, entry->totalTime);
        }
    }
    ++m_resets;
}

std::string_view flagWord(LapFlag flag)
{
    switch (flag) {
    case LapFlag::Green: return "green";
    case LapFlag::Yellow: return "yellow";
    case LapFlag::Red: return "red";
    case LapFlag::Finish: return "finish";
    case LapFlag::None: break;
    }
    return {};
}

} // namespace kav
