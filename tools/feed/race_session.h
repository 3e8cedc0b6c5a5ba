#pragma once

#include <vector>

#include "sim_entry_list.h"
#include "sim_flag_plan.h"
#include "sim_options.h"
#include "sim_standings.h"

namespace kav {

// A whole simulated session as the timing computer would send it, each line with its session time.
std::vector<TSimLine> SimulateSession(const TSimOptions& options);

// Runs one session: cars cross the line lap after lap until the chequered flag has caught them all.
class TRaceSession {
public:
    static constexpr TimeValue kNominalLap = 900000;                // 90 s, the length of the session per lap
    static constexpr TimeValue kStartOfDay = kSimStartOfDay;        // the first session starts at 14:00
    static constexpr int kClosingHeartbeats = 5;                    // seconds of heartbeat after the last car
    static constexpr TimeValue kResendEvery = 50 * kTicksPerSecond; // the timing computer re-sends its state
    static constexpr int kExtraHeartbeatPercent = 30;               // a crossing that comes with a heartbeat of its own

    explicit TRaceSession(const TSimOptions& options);

    std::vector<TSimLine> Run();

private:
    void Preamble();
    void State(TimeValue at);
    void Second(TimeValue t);
    void Heartbeat(TimeValue t);
    void Crossing(int car, TimeValue at);
    void Emit(TimeValue at, std::string text) { m_lines.push_back({at, std::move(text)}); }
    TimeValue FirstCrossing(int car);
    TimeValue LapTime(int car, TimeValue start);
    TimeValue PassedLapTime(int car, TimeValue at) const;
    TimeValue TimeOfDay(TimeValue at) const;
    int NextCar() const;
    int LapsToGo() const;

    TSimOptions m_options;
    TSimRandom m_random;
    TSimRandom m_quirks; // the feed's own habits, apart from the race so they do not change its course
    std::vector<TSimCar> m_cars;
    TSimFlagPlan m_flags;
    TSimStandings m_standings;
    std::vector<TimeValue> m_nextCrossing; // kNever once a car has taken the chequered flag
    bool m_chequered = false;
    std::vector<TSimLine> m_lines;
};

} // namespace kav
