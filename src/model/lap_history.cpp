#include "lap_history.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace kav {

namespace {
constexpr std::int64_t kMinTime = std::numeric_limits<TimeValue>::min();
constexpr std::int64_t kMaxTime = std::numeric_limits<TimeValue>::max();

constexpr std::int64_t kDay = std::int64_t{24} * kTicksPerHour;

// One lap on; a lap count at the top of its range (a garbled standing) stays there.
std::int32_t nextLap(std::int32_t lap)
{
    return lap == std::numeric_limits<std::int32_t>::max() ? lap : lap + 1;
}

// A new crossing comes a lap after the last one; the same crossing corrected comes at about its time.
bool correctsPassing(const PassingRecord& previous, const PassingRecord& passing)
{
    if (passing.LapTime == kEmptyLapTime || passing.LapTime <= 0 || previous.Time3 <= 0 || passing.Time3 <= 0)
        return false;
    const std::int64_t since = ((std::int64_t{passing.Time3} - previous.Time3) % kDay + kDay) % kDay;
    return std::min(since, kDay - since) < passing.LapTime / 2;
}
} // namespace

bool LapHistory::addPassing(const PassingRecord& passing, LapFlag flag)
{
    startRunIfAwaited();
    Car* car = carFor(passing.RegNo);
    if (!car)
        return false;
    // The timing system sends its last passing again on connect and after a relay's hiccup.
    if (car->anyPassing && car->lastPassing == passing)
        return false;
    const std::optional<PassingRecord> previous =
        car->anyPassing ? std::optional<PassingRecord>(car->lastPassing) : std::nullopt;
    car->lastPassing = passing;
    car->anyPassing = true;
    car->waiting = true;
    car->waitingFlag = flag;
    if (!car->followsStandings)
        countPassing(*car, passing, flag, previous);
    return true;
}

// Without standings every passing is a lap, its total the sum of the lap times; one that comes much
// sooner after the last passing than its own lap time is that passing corrected.
void LapHistory::countPassing(Car& car, const PassingRecord& passing, LapFlag flag,
                              const std::optional<PassingRecord>& previous)
{
    const std::vector<LapEntry>& laps = car.laps.laps;
    const bool correction = previous && !laps.empty() && correctsPassing(*previous, passing);
    const std::size_t kept = laps.size() - (correction ? 1 : 0);
    LapEntry entry;
    entry.lap = kept == 0 ? 1 : nextLap(laps[kept - 1].lap);
    entry.lapTime = passing.LapTime;
    const std::int64_t before = kept == 0 ? 0 : laps[kept - 1].totalTime;
    const std::int64_t total = passing.LapTime == kEmptyLapTime ? before : before + passing.LapTime;
    entry.totalTime = static_cast<TimeValue>(std::clamp<std::int64_t>(total, kMinTime, kMaxTime));
    entry.position = car.position;
    entry.flag = flag;
    if (correction)
        replaceLast(car, entry);
    else
        car.provisional = append(car, entry);
}

void LapHistory::takeStanding(const RacePositionRecord& standing)
{
    startRunIfAwaited();
    Car* car = carFor(standing.RegNo);
    if (!car)
        return;
    car->position = standing.Position;
    if (!car->followsStandings)
        startFollowingStandings(*car);
    countStanding(*car, standing);
}

// The first standing of a car: from now on standings count its laps, the passing that waits for this
// standing among them.
void LapHistory::startFollowingStandings(Car& car)
{
    car.followsStandings = true;
    if (car.provisional && car.waiting)
        removeLast(car);
    car.provisional = false;
}

// The standing after a crossing tells whether it counted a lap: the lap count went up (a new lap),
// stayed with another total (a corrected passing, or a penalty without one) or stayed as it was (a
// crossing before the start or after the finish, a passing sent again: only the place is new).
void LapHistory::countStanding(Car& car, const RacePositionRecord& standing)
{
    std::vector<LapEntry>& laps = car.laps.laps;
    const bool waited = std::exchange(car.waiting, false);
    // The timing system took laps back; a standing without laps (a grid sent again) takes none.
    while (standing.Laps > 0 && !laps.empty() && laps.back().lap > standing.Laps)
        removeLast(car);
    const std::int32_t counted = laps.empty() ? 0 : laps.back().lap;
    if (standing.Laps > counted) {
        LapEntry entry;
        entry.lap = standing.Laps;
        entry.lapTime = waited ? car.lastPassing.LapTime : kEmptyLapTime;
        entry.totalTime = standing.TotalTime;
        entry.position = standing.Position;
        entry.flag = waited ? car.waitingFlag : LapFlag::None;
        append(car, entry);
        return;
    }
    if (laps.empty() || standing.Laps < counted || laps.back().totalTime == standing.TotalTime)
        return;
    LapEntry entry = laps.back();
    entry.totalTime = standing.TotalTime;
    entry.position = standing.Position;
    if (waited)
        entry.lapTime = car.lastPassing.LapTime;
    replaceLast(car, entry);
}

bool LapHistory::append(Car& car, const LapEntry& entry)
{
    if (car.laps.laps.size() >= static_cast<std::size_t>(kMaxLaps))
        return false;
    car.laps.laps.push_back(entry);
    ++m_entryCount;
    noteLeaderTime(entry.lap, entry.totalTime);
    ++m_revision;
    return true;
}

void LapHistory::replaceLast(Car& car, const LapEntry& entry)
{
    LapEntry& last = car.laps.laps.back();
    const LapEntry before = last;
    last = entry;
    if (before.lap != entry.lap || before.totalTime != entry.totalTime) {
        forgetLeaderTime(before.lap, before.totalTime);
        noteLeaderTime(entry.lap, entry.totalTime);
    }
    ++m_revision;
}

void LapHistory::removeLast(Car& car)
{
    const LapEntry gone = car.laps.laps.back();
    car.laps.laps.pop_back();
    --m_entryCount;
    forgetLeaderTime(gone.lap, gone.totalTime);
    ++m_revision;
    ++m_resets;
}

void LapHistory::awaitRun()
{
    m_awaitingRun = true;
}

// A mid-session new run followed by the same run (the timing system restarted its feed) keeps the laps.
void LapHistory::takeRun(std::uint16_t number, std::string_view name)
{
    const bool sameRun = m_runKnown && number == m_runNumber && name == m_runName;
    if (m_awaitingRun && !sameRun)
        clear();
    m_awaitingRun = false;
    m_runKnown = true;
    m_runNumber = number;
    m_runName = std::string(name);
}

// A new run that goes on to passings or standings without naming itself.
void LapHistory::startRunIfAwaited()
{
    if (!m_awaitingRun)
        return;
    clear();
    m_awaitingRun = false;
    m_runKnown = false;
}

void LapHistory::clear()
{
    m_cars.clear();
    m_index.clear();
    m_leaderTimes.clear();
    m_entryCount = 0;
    ++m_revision;
    ++m_resets;
    ++m_runsStarted;
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
