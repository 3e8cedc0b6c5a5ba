#include "race_session.h"

#include <algorithm>
#include <limits>

#include "sim_record_lines.h"

namespace kav {
namespace {

constexpr TimeValue kNever = std::numeric_limits<TimeValue>::max();
constexpr int kMaxCars = 999;
constexpr int kMaxLaps = 1000; // keeps the longest session well inside the time value's range

TSimOptions Bounded(TSimOptions options)
{
    options.cars = std::clamp(options.cars, 1, kMaxCars);
    options.laps = std::clamp(options.laps, 1, kMaxLaps);
    return options;
}

} // namespace

std::vector<TSimLine> SimulateSession(const TSimOptions& options)
{
    return TRaceSession(options).Run();
}

TRaceSession::TRaceSession(const TSimOptions& options)
    : m_options(Bounded(options)), m_random(m_options.seed), m_cars(MakeEntryList(m_options.cars, m_random)),
      m_flags(m_options.laps * kNominalLap, !m_options.practice, m_random), m_standings(m_options.cars)
{
    for (int car = 0; car < m_options.cars; ++car)
        m_nextCrossing.push_back(FirstCrossing(car));
}

std::vector<TSimLine> TRaceSession::Run()
{
    Preamble();
    TimeValue second = kTicksPerSecond;
    for (int car = NextCar(); car >= 0; car = NextCar()) {
        const TimeValue at = m_nextCrossing[static_cast<std::size_t>(car)];
        for (; second <= at; second += kTicksPerSecond)
            Heartbeat(second);
        Crossing(car, at);
    }
    for (int i = 0; i < kClosingHeartbeats; ++i, second += kTicksPerSecond)
        Heartbeat(second);
    return std::move(m_lines);
}

void TRaceSession::Preamble()
{
    Emit(0, NewRunLine(kStartOfDay, "01 Jun"));
    Emit(0, RunLine(7, m_options.practice ? "Free Practice - Brenmoor Cup" : "Race 1 - Brenmoor Cup"));
    for (int classNo = 1; classNo <= 2; ++classNo)
        Emit(0, ClassLine(classNo, kSimClassNames[classNo - 1]));
    Emit(0, SettingLine("TRACKNAME", "Brenmoor Ring"));
    Emit(0, SettingLine("TRACKLENGTH", "3.652"));
    for (const auto& car : m_cars) {
        Emit(0, CompetitorLine(car));
        Emit(0, FullCompetitorLine(car));
    }
    // The grid: every car placed, none has crossed the line yet.
    for (int place = 0; !m_options.practice && place < m_options.cars; ++place)
        Emit(0, RacePositionLine(place + 1, m_cars[static_cast<std::size_t>(place)], m_standings.Progress(place)));
    Heartbeat(0);
}

void TRaceSession::Heartbeat(TimeValue t)
{
    const TimeValue length = m_options.laps * kNominalLap;
    if (m_options.practice && t >= length)
        m_chequered = true;
    const TimeValue timeToGo = m_options.practice ? std::max(0, length - t) : 0;
    Emit(t, HeartbeatLine(LapsToGo(), timeToGo, kStartOfDay + t, t, m_chequered ? "Finish" : m_flags.FlagAt(t)));
}

void TRaceSession::Crossing(int car, TimeValue at)
{
    const auto& entry = m_cars[static_cast<std::size_t>(car)];
    const TimeValue lapTime = PassedLapTime(car, at);
    Emit(at, PassingLine(entry, lapTime, kStartOfDay + at));
    const auto places = m_standings.Cross(car, at, lapTime);
    for (const auto& place : places) {
        if (!m_options.practice)
            Emit(at, RacePositionLine(place.position, m_cars[static_cast<std::size_t>(place.car)],
                                      m_standings.Progress(place.car)));
    }
    for (const auto& place : m_standings.BestLapChanges())
        Emit(at, PracticePositionLine(place.position, m_cars[static_cast<std::size_t>(place.car)],
                                      m_standings.Progress(place.car)));
    if (!m_options.practice && m_standings.Progress(car).laps >= m_options.laps)
        m_chequered = true;
    m_nextCrossing[static_cast<std::size_t>(car)] = m_chequered ? kNever : at + LapTime(car, at);
}

// A race starts from the grid, a few tenths per slot behind; in practice cars leave the pits one by one
// and their first crossing ends an out lap.
TimeValue TRaceSession::FirstCrossing(int car)
{
    const auto& entry = m_cars[static_cast<std::size_t>(car)];
    if (m_options.practice)
        return static_cast<TimeValue>(m_random.Between(0, 1200) * 1000 + entry.pace * 13 / 10) / 10 * 10;
    return (entry.pace + 40000 + car * 3000 + static_cast<TimeValue>(m_random.Noise(entry.consistency))) / 10 * 10;
}

TimeValue TRaceSession::LapTime(int car, TimeValue start)
{
    const auto& entry = m_cars[static_cast<std::size_t>(car)];
    // Fuel burns off: about three hundredths of a second quicker every lap.
    auto ticks = static_cast<std::int64_t>(entry.pace) - std::min(m_standings.Progress(car).laps, 100) * 300;
    ticks = ticks * m_flags.SlowdownAt(start) / 100 + m_random.Noise(entry.consistency);
    if (m_random.Chance(3))
        ticks += m_random.Between(20000, 60000); // a spin or a missed braking point
    return static_cast<TimeValue>(ticks / 10 * 10);
}

TimeValue TRaceSession::PassedLapTime(int car, TimeValue at) const
{
    const auto& progress = m_standings.Progress(car);
    if (m_options.practice && progress.laps == 0)
        return kEmptyLapTime;
    return at - progress.total;
}

int TRaceSession::NextCar() const
{
    const auto next = std::min_element(m_nextCrossing.begin(), m_nextCrossing.end());
    if (next == m_nextCrossing.end() || *next == kNever)
        return -1;
    return static_cast<int>(next - m_nextCrossing.begin());
}

int TRaceSession::LapsToGo() const
{
    if (m_options.practice)
        return 9999;
    if (m_chequered)
        return 0;
    return std::max(0, m_options.laps - m_standings.Progress(m_standings.RaceOrder().front()).laps);
}

} // namespace kav
