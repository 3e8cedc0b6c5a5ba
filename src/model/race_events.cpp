#include "race_events.h"

#include "feed_time.h"
#include "text_helpers.h"

namespace kav {
namespace {

// A best lap the timing system gives a time for; "no time" comes as zero or the empty lap time.
bool isLapTime(TimeValue time)
{
    return time > 0 && time < kEmptyLapTime;
}

// As the result windows write lap times, without their leading blanks.
std::string lapTimeText(TimeValue time)
{
    const std::string text = time >= kTicksPerHour ? formatTime(1, 1, time) : formatTime(7, 3, time);
    return std::string(trimSpaces(text));
}

std::string onLap(std::int32_t lap)
{
    return lap > 0 ? " on lap " + std::to_string(lap) : std::string();
}

std::string carName(const std::string& number)
{
    return "Car " + number;
}

} // namespace

std::string_view eventTag(EventKind kind)
{
    switch (kind) {
    case EventKind::Flag: return "FLAG";
    case EventKind::Fastest: return "FASTEST";
    case EventKind::ClassFastest: return "CLASS FASTEST";
    case EventKind::Lead: return "LEAD";
    case EventKind::ClassLead: return "CLASS LEAD";
    case EventKind::PersonalBest: return "PB";
    case EventKind::Finish: return "FINISH";
    case EventKind::Stopped: return "STOPPED";
    case EventKind::PitIn: return "PIT IN";
    case EventKind::PitOut: return "PIT OUT";
    }
    return "";
}

std::string RaceEvent::raceTimeText() const
{
    return raceTime < 0 ? std::string() : formatTime(4, 0, raceTime);
}

void RaceEvents::takeHeartbeat(TimeValue raceTime, std::string_view flagText, std::int32_t lapsToGo)
{
    m_raceTime = raceTime;
    std::string upper(trimSpaces(flagText));
    for (char& c : upper)
        c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    Flag flag = Flag::None;
    if (upper == "GREEN")
        flag = Flag::Green;
    else if (upper == "YELLOW")
        flag = Flag::Yellow;
    else if (upper == "RED")
        flag = Flag::Red;
    else if (upper == "FINISH")
        flag = Flag::Finish;
    // A blank flag (before, between and after sessions) changes nothing.
    if (flag != Flag::None && flag != m_flag)
        changeFlag(flag, lapsToGo);
}

void RaceEvents::changeFlag(Flag flag, std::int32_t lapsToGo)
{
    static constexpr const char* kTexts[] = {"", "Green flag", "Yellow flag", "Red flag", "Finish"};
    m_flag = flag;
    add(EventKind::Flag, nullptr, 0, kTexts[static_cast<int>(flag)]);
    if (flag != Flag::Finish)
        return;
    for (auto& [regNo, car] : m_cars)
        car.lapsAtFinish = car.standing.Laps;
    // In a race run on laps the leader's crossing ended it; in one run on time its next crossing will.
    const auto leader = m_leaders.find(kOverall);
    if (lapsToGo == 0 && leader != m_leaders.end() && leader->second->standing.Laps > 0)
        finish(*leader->second);
}

void RaceEvents::takeStanding(const RacePositionRecord& standing, const EventCarNames& names)
{
    Car* car = carFor(standing.RegNo, names);
    if (!car)
        return;
    m_anyStanding = true;
    if (car->placedAt != 0 && car->standing == standing)
        return; // the timing system sends its state again
    if (standing.Laps > car->standing.Laps)
        car->stopped = false;
    car->standing = standing;
    car->placedAt = ++m_placings;
    // Only a car that leads a group, or now stands level with or ahead of its leader, can change the
    // leaders: the others are not looked at again on every standing of a big field.
    const auto leads = [this, car](std::int32_t group) {
        const auto found = m_leaders.find(group);
        return found != m_leaders.end() && found->second == car;
    };
    const auto reaches = [this, car](std::int32_t group) {
        const auto found = m_leaders.find(group);
        return found == m_leaders.end() || car->standing.Position <= found->second->standing.Position;
    };
    const std::int32_t classNo = car->info.classNo;
    if (leads(kOverall) || reaches(kOverall) || (classNo != 0 && (leads(classNo) || reaches(classNo)))) {
        Leaders before = std::move(m_leaders);
        m_leaders = leaders();
        announceLeaders(before);
    }
    if (m_flag == Flag::Finish && standing.Laps > car->lapsAtFinish)
        finish(*car);
}

// The best placed car overall and of each class; of two with the same place the one placed last.
RaceEvents::Leaders RaceEvents::leaders()
{
    Leaders found;
    const auto better = [](const Car* a, const Car* b) {
        return !b || a->standing.Position < b->standing.Position ||
               (a->standing.Position == b->standing.Position && a->placedAt > b->placedAt);
    };
    for (auto& [regNo, car] : m_cars) {
        if (car.placedAt == 0)
            continue;
        for (const std::int32_t group : {kOverall, car.info.classNo}) {
            Car*& leader = found[group];
            if (group != 0 && better(&car, leader))
                leader = &car;
        }
    }
    found.erase(0);
    return found;
}

void RaceEvents::announceLeaders(const Leaders& before)
{
    const auto leaderIn = [](const Leaders& leaders, std::int32_t group) {
        const auto found = leaders.find(group);
        return found == leaders.end() ? nullptr : found->second;
    };
    const auto from = [](const Car* previous) {
        return previous ? " from car " + previous->info.number : std::string();
    };
    const Car* overall = leaderIn(m_leaders, kOverall);
    const Car* previous = leaderIn(before, kOverall);
    // The grid's order is no lead: a lead is taken with a lap done.
    const bool newLeader = overall && overall != previous && overall->standing.Laps > 0;
    if (newLeader)
        add(EventKind::Lead, overall, overall->standing.Laps,
            carName(overall->info.number) + " takes the lead" + onLap(overall->standing.Laps) + from(previous));
    for (const auto& [group, leader] : m_leaders) {
        const Car* was = leaderIn(before, group);
        if (group == kOverall || leader == was || leader->standing.Laps <= 0 || (newLeader && leader == overall))
            continue;
        add(EventKind::ClassLead, leader, leader->standing.Laps,
            carName(leader->info.number) + " takes the lead of " + leader->info.className +
                onLap(leader->standing.Laps) + from(was));
    }
}

void RaceEvents::takeBestLap(const PracticePositionRecord& best, const EventCarNames& names)
{
    Car* car = carFor(best.RegNo, names);
    if (!car)
        return;
    const TimeValue time = isLapTime(best.BestLapTime) ? best.BestLapTime : -1;
    const TimeValue previous = car->best;
    if (time == previous)
        return;
    const TimeValue overall = fastest(kOverall);
    const TimeValue inClass = fastest(car->info.classNo);
    car->best = time;
    // A best lap taken back tells nothing of its own.
    if (time < 0 || (previous >= 0 && time > previous)) {
        m_fastestKept = false;
        return;
    }
    if (m_fastestKept) {
        for (const std::int32_t group : {kOverall, car->info.classNo}) {
            const auto kept = m_fastest.find(group);
            if (kept == m_fastest.end() || time < kept->second)
                m_fastest[group] = time;
        }
    }
    const std::string lapText = lapTimeText(time) + onLap(best.BestLap);
    if (overall < 0 || time < overall)
        add(EventKind::Fastest, car, best.BestLap, carName(car->info.number) + " sets the fastest lap: " + lapText);
    else if (car->info.classNo != 0 && (inClass < 0 || time < inClass))
        add(EventKind::ClassFastest, car, best.BestLap,
            carName(car->info.number) + " sets the fastest lap of " + car->info.className + ": " + lapText);
    else if (previous >= 0 && !m_anyStanding) // in a race every car improves lap after lap
        add(EventKind::PersonalBest, car, best.BestLap,
            carName(car->info.number) + " sets a personal best: " + lapText);
}

// The fastest best lap overall or of a class; -1 when no car of it has one.
TimeValue RaceEvents::fastest(std::int32_t classNo) const
{
    if (!m_fastestKept) {
        m_fastest.clear();
        for (const auto& [regNo, car] : m_cars) {
            for (const std::int32_t group : {kOverall, car.info.classNo}) {
                const auto kept = m_fastest.find(group);
                if (car.best >= 0 && (kept == m_fastest.end() || car.best < kept->second))
                    m_fastest[group] = car.best;
            }
        }
        m_fastestKept = true;
    }
    const auto kept = m_fastest.find(classNo);
    return kept == m_fastest.end() ? -1 : kept->second;
}

void RaceEvents::finish(Car& car)
{
    if (car.finished)
        return;
    car.finished = true;
    const std::int32_t laps = car.standing.Laps;
    add(EventKind::Finish, &car, laps,
        carName(car.info.number) + " takes the chequered flag in position " + std::to_string(car.standing.Position) +
            " after " + std::to_string(laps) + (laps == 1 ? " lap" : " laps"));
}

void RaceEvents::takeStop(std::string_view regNo, const EventCarNames& names)
{
    Car* car = carFor(regNo, names);
    if (!car || car->stopped || car->finished || car->placedAt == 0 || m_flag == Flag::Finish)
        return;
    car->stopped = true;
    add(EventKind::Stopped, car, car->standing.Laps,
        carName(car->info.number) + " has completed no lap for two laps of the leader");
}

void RaceEvents::takePitLane(std::string_view regNo, const EventCarNames& names, const PitState& before,
                             const PitState& now)
{
    if (before.inPitLane == now.inPitLane)
        return;
    Car* car = carFor(regNo, names);
    if (!car)
        return;
    if (now.inPitLane) {
        add(EventKind::PitIn, car, now.laps,
            carName(car->info.number) + " enters the pit lane for stop " + std::to_string(now.stops));
        return;
    }
    // A car seen on the track before its pit-out loop left the lane at an unknown time.
    add(EventKind::PitOut, car, now.laps,
        carName(car->info.number) + " leaves the pit lane" +
            (now.lastStop >= 0 ? " after " + lapTimeText(now.lastStop) : std::string()));
}

RaceEvents::Car* RaceEvents::carFor(std::string_view regNo, const EventCarNames& names)
{
    auto found = m_cars.find(regNo);
    if (found == m_cars.end()) {
        if (regNo.empty() || m_cars.size() >= kMaxCars)
            return nullptr;
        found = m_cars.emplace(std::string(regNo), Car{}).first;
        found->second.regNo = std::string(regNo);
    }
    Car& car = found->second;
    if (car.infoGeneration == names.generation())
        return &car;
    EventCar info = names.describe(regNo);
    if (car.infoGeneration == 0) {
        car.info = std::move(info);
    } else if (info.known) {
        if (info.classNo != car.info.classNo)
            m_fastestKept = false;
        car.info = std::move(info);
    }
    car.infoGeneration = names.generation();
    return &car;
}

void RaceEvents::add(EventKind kind, const Car* car, std::int32_t lap, std::string text)
{
    RaceEvent event{++m_seq, m_raceTime, kind, {}, {}, {}, lap, std::move(text)};
    if (car)
        event.regNo = car->regNo, event.car = car->info.number, event.carClass = car->info.className;
    m_events.push_back(std::move(event));
    if (m_events.size() > kMaxEvents)
        m_events.pop_front();
}

void RaceEvents::clear()
{
    m_events.clear();
    m_leaders.clear();
    m_cars.clear();
    m_fastest.clear();
    m_fastestKept = true;
    m_placings = 0;
    m_raceTime = -1;
    m_flag = Flag::None;
    m_anyStanding = false;
}

} // namespace kav
