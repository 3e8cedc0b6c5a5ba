#include "race_session.h"

#include <algorithm>
#include <limits>

#include "sim_record_lines.h"

namespace kav {
namespace {

constexpr TimeValue kNever = std::numeric_limits<TimeValue>::max();
constexpr int kMaxCars = 999;
constexpr int kMaxLaps = 1000; // keeps the longest session well inside the time value's range
constexpr std::uint64_t kQuirkSeed = 0x9e3779b97f4a7c15;

SimOptions bounded(SimOptions options)
{
    options.cars = std::clamp(options.cars, 1, kMaxCars);
    options.laps = std::clamp(options.laps, 1, kMaxLaps);
    options.run = std::clamp(options.run, 1, kSimLastRun);
    options.startOfDay = std::clamp(options.startOfDay, 0, kSimDay - 1);
    return options;
}

} // namespace

std::vector<SimLine> simulateSession(const SimOptions& options)
{
    return RaceSession(options).run();
}

RaceSession::RaceSession(const SimOptions& options)
    : m_options(bounded(options)), m_random(m_options.seed), m_quirks(m_options.seed ^ kQuirkSeed),
      m_cars(makeEntryList(m_options.cars, m_random)),
      m_flags(m_options.laps * kNominalLap, !m_options.practice, m_random), m_standings(m_options.cars),
      m_pits(m_options.cars, m_options.laps, m_options.pitLoops && !m_options.practice, m_options.seed),
      m_pitInAt(static_cast<std::size_t>(m_options.cars), -1)
{
    for (int car = 0; car < m_options.cars; ++car)
        m_nextCrossing.push_back(firstCrossing(car));
    m_lastPassings.resize(m_cars.size());
    if (m_options.reconnect) {
        m_lostFrom = m_options.laps * kNominalLap * 2 / 5 / kTicksPerSecond * kTicksPerSecond;
        m_lostUntil = m_lostFrom + kLostFor;
    }
}

void RaceSession::emitLine(TimeValue at, std::string text)
{
    sendLaterLines(at);
    if (at >= m_lostFrom && at < m_lostUntil)
        return;
    m_lines.push_back({at, std::move(text)});
}

void RaceSession::emitLaterLine(TimeValue at, std::string text)
{
    m_later.emplace(at, std::move(text));
}

void RaceSession::sendLaterLines(TimeValue until)
{
    while (!m_later.empty() && m_later.begin()->first <= until) {
        auto line = m_later.extract(m_later.begin());
        if (line.key() < m_lostFrom || line.key() >= m_lostUntil)
            m_lines.push_back({line.key(), std::move(line.mapped())});
    }
}

std::vector<SimLine> RaceSession::run()
{
    preamble();
    TimeValue second = kTicksPerSecond;
    for (int car = nextCar(); car >= 0; car = nextCar()) {
        const TimeValue at = m_nextCrossing[static_cast<std::size_t>(car)];
        for (; second <= at; second += kTicksPerSecond)
            secondPassed(second);
        // The timing computer often sends one more heartbeat just before a passing.
        if (at % kTicksPerSecond != 0 && m_quirks.chance(kExtraHeartbeatPercent))
            heartbeat(at);
        crossing(car, at);
    }
    for (int i = 0; i < kClosingHeartbeats; ++i, second += kTicksPerSecond)
        secondPassed(second);
    sendLaterLines(kNever);
    return std::move(m_lines);
}

// The run starts with its whole state; at that point the race order is the grid and nobody has a best lap.
void RaceSession::preamble()
{
    emitLine(0, newRunLine(m_options.startOfDay, "01 Jun"));
    state(0);
    heartbeat(0);
    if (m_options.formation && !m_options.practice)
        formationLap();
}

// The cars cross the line at the end of the formation lap: the timing sends the passings, but the lap
// count of the standings stays empty.
void RaceSession::formationLap()
{
    for (std::size_t car = 0; car < m_cars.size(); ++car) {
        m_lastPassings[car] = passingLine(m_cars[car], m_cars[car].pace * 3 / 2, timeOfDay(0));
        emitLine(0, m_lastPassings[car]);
        emitLine(0, racePositionLine(m_standings.placeOf(static_cast<int>(car)), m_cars[car],
                                     m_standings.progress(static_cast<int>(car))));
    }
}

// Everything a listener needs to show the session as it stands, as sent at the start and re-sent now and then.
void RaceSession::state(TimeValue at, bool withPassings)
{
    const std::string session = m_options.practice ? "Free Practice " : "Race ";
    emitLine(at, runLine(m_options.run, session + std::to_string(m_options.run) + " - Brenmoor Cup"));
    for (int classNo = 1; classNo <= 2; ++classNo)
        emitLine(at, classLine(classNo, kSimClassNames[classNo - 1]));
    emitLine(at, settingLine("TRACKNAME", "Brenmoor Ring"));
    emitLine(at, settingLine("TRACKLENGTH", "3.652"));
    for (const auto& car : m_cars) {
        emitLine(at, competitorLine(car));
        emitLine(at, fullCompetitorLine(car));
    }
    // On a reconnect the timing computer sends each car's last passing again, before the standings.
    for (const std::string& passing : m_lastPassings) {
        if (withPassings && !passing.empty())
            emitLine(at, passing);
    }
    const auto& raceOrder = m_standings.raceOrder();
    for (std::size_t i = 0; !m_options.practice && i < raceOrder.size(); ++i)
        emitLine(at, racePositionLine(static_cast<int>(i) + 1, m_cars[static_cast<std::size_t>(raceOrder[i])],
                                      m_standings.progress(raceOrder[i])));
    const auto& bestOrder = m_standings.bestOrder();
    for (std::size_t i = 0; i < bestOrder.size(); ++i)
        emitLine(at, practicePositionLine(static_cast<int>(i) + 1, m_cars[static_cast<std::size_t>(bestOrder[i])],
                                          m_standings.progress(bestOrder[i])));
}

void RaceSession::secondPassed(TimeValue t)
{
    heartbeat(t);
    if (m_options.reconnect && t == m_lostUntil)
        state(t, true);
    else if (t > 0 && t % kResendEvery == 0)
        state(t);
    if (m_options.penalties && !m_penaltyGiven && !m_options.practice && t >= m_options.laps * kNominalLap / 2)
        givePenalty(t);
}

// The stewards add a penalty to the car in third place (or the last) without it crossing the line.
void RaceSession::givePenalty(TimeValue at)
{
    const auto& order = m_standings.raceOrder();
    const int car = order[std::min<std::size_t>(2, order.size() - 1)];
    if (m_standings.progress(car).laps == 0)
        return;
    m_standings.penalise(car, kPenalty);
    emitLine(at, racePositionLine(m_standings.placeOf(car), m_cars[static_cast<std::size_t>(car)],
                                  m_standings.progress(car)));
    m_penaltyGiven = true;
}

// The timing computer corrects a passing: the same crossing sent again with other times, and the standing
// with the total that follows from it.
void RaceSession::correctPassing(int car, TimeValue at, TimeValue lapTime)
{
    TimeValue by = static_cast<TimeValue>(m_quirks.between(1, 9) * 1000);
    if (m_quirks.chance(50))
        by = -by;
    m_standings.correct(car, by);
    const auto& entry = m_cars[static_cast<std::size_t>(car)];
    m_lastPassings[static_cast<std::size_t>(car)] = passingLine(entry, lapTime + by, timeOfDay(at + by));
    emitLine(at, m_lastPassings[static_cast<std::size_t>(car)]);
    emitLine(at, racePositionLine(m_standings.placeOf(car), entry, m_standings.progress(car)));
}

void RaceSession::heartbeat(TimeValue t)
{
    const TimeValue length = m_options.laps * kNominalLap;
    if (m_options.practice && t >= length)
        m_chequered = true;
    const TimeValue timeToGo = m_options.practice ? std::max(0, length - t) : 0;
    emitLine(t, heartbeatLine(lapsToGo(), timeToGo, timeOfDay(t), t, m_chequered ? "Finish" : m_flags.flagAt(t)));
}

void RaceSession::crossing(int car, TimeValue at)
{
    const auto& entry = m_cars[static_cast<std::size_t>(car)];
    const int lap = m_standings.progress(car).laps + 1;
    if (m_options.pitLoops)
        loopCrossing(car, lap, at);
    const TimeValue lapTime = passedLapTime(car, at);
    m_lastPassings[static_cast<std::size_t>(car)] = passingLine(entry, lapTime, timeOfDay(at));
    emitLine(at, m_lastPassings[static_cast<std::size_t>(car)]);
    const auto places = m_standings.cross(car, at, lapTime);
    for (const auto& place : places) {
        if (!m_options.practice)
            emitLine(at, racePositionLine(place.position, m_cars[static_cast<std::size_t>(place.car)],
                                          m_standings.progress(place.car)));
    }
    for (const auto& place : m_standings.bestLapChanges())
        emitLine(at, practicePositionLine(place.position, m_cars[static_cast<std::size_t>(place.car)],
                                          m_standings.progress(place.car)));
    if (m_options.corrections && !m_options.practice && lapTime != kEmptyLapTime && m_quirks.chance(kCorrectionPercent))
        correctPassing(car, at, lapTime);
    if (!m_options.practice && m_standings.progress(car).laps >= m_options.laps)
        m_chequered = true;
    m_nextCrossing[static_cast<std::size_t>(car)] = m_chequered ? kNever : at + nextLapTime(car, at);
    if (!m_chequered)
        planPitIn(car, lap + 1);
}

// A car crosses the track's line, or, ending a lap into the pits, the pit lane's line before it stops.
void RaceSession::loopCrossing(int car, int lap, TimeValue at)
{
    const SimCar& entry = m_cars[static_cast<std::size_t>(car)];
    TimeValue& pitIn = m_pitInAt[static_cast<std::size_t>(car)];
    if (pitIn < 0) {
        emitLine(at, lineCrossingLine(entry, "SFT", m_options.startOfDay, at));
        return;
    }
    emitLine(at, lineCrossingLine(entry, "SFP", m_options.startOfDay, at));
    const TimeValue pitOut = at + SimPitPlan::kLaneTime;
    emitLaterLine(pitOut, lineCrossingLine(entry, "POP", m_options.startOfDay, pitOut));
    m_pits.made({entry.regNo, lap, pitIn, pitOut});
    pitIn = -1;
}

// A car that stops on its next lap turns into the pit lane before the line and crosses it later by the
// time it stands.
void RaceSession::planPitIn(int car, int lap)
{
    const TimeValue standing = m_pits.standing(car, lap);
    if (standing == 0)
        return;
    TimeValue& next = m_nextCrossing[static_cast<std::size_t>(car)];
    const TimeValue pitIn = next - SimPitPlan::kLaneTime;
    next += standing;
    m_pitInAt[static_cast<std::size_t>(car)] = pitIn;
    emitLaterLine(pitIn, lineCrossingLine(m_cars[static_cast<std::size_t>(car)], "PIP", m_options.startOfDay, pitIn));
}

// A race starts from the grid, a few tenths per slot behind; in practice cars leave the pits one by one
// and their first crossing ends an out lap.
TimeValue RaceSession::firstCrossing(int car)
{
    const auto& entry = m_cars[static_cast<std::size_t>(car)];
    if (m_options.practice)
        return static_cast<TimeValue>(m_random.between(0, 1200) * 1000 + entry.pace * 13 / 10) / 10 * 10;
    return (entry.pace + 40000 + car * 3000 + static_cast<TimeValue>(m_random.noise(entry.consistency))) / 10 * 10;
}

TimeValue RaceSession::nextLapTime(int car, TimeValue start)
{
    const auto& entry = m_cars[static_cast<std::size_t>(car)];
    // Fuel burns off: about three hundredths of a second quicker every lap.
    auto ticks = static_cast<std::int64_t>(entry.pace) - std::min(m_standings.progress(car).laps, 100) * 300;
    ticks = ticks * m_flags.slowdownAt(start) / 100 + m_random.noise(entry.consistency);
    if (m_random.chance(3))
        ticks += m_random.between(20000, 60000); // a spin or a missed braking point
    return static_cast<TimeValue>(ticks / 10 * 10);
}

TimeValue RaceSession::passedLapTime(int car, TimeValue at) const
{
    const auto& progress = m_standings.progress(car);
    if (m_options.practice && progress.laps == 0)
        return kEmptyLapTime;
    return at - progress.total;
}

// The feed's clock at a session time; a long session runs past midnight.
TimeValue RaceSession::timeOfDay(TimeValue at) const
{
    return static_cast<TimeValue>((static_cast<std::int64_t>(m_options.startOfDay) + at) % kSimDay);
}

int RaceSession::nextCar() const
{
    const auto next = std::min_element(m_nextCrossing.begin(), m_nextCrossing.end());
    if (next == m_nextCrossing.end() || *next == kNever)
        return -1;
    return static_cast<int>(next - m_nextCrossing.begin());
}

int RaceSession::lapsToGo() const
{
    if (m_options.practice)
        return 9999;
    if (m_chequered)
        return 0;
    return std::max(0, m_options.laps - m_standings.progress(m_standings.raceOrder().front()).laps);
}

} // namespace kav
