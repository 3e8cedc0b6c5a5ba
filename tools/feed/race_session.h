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
    static constexpr TimeValue kNominalLap = 900000;             // 90 s, the length of the session per lap
    static constexpr TimeValue kStartOfDay = 14 * kTicksPerHour; // the session starts at 14:00 by the feed's clock
    static constexpr int kClosingHeartbeats = 5;                 // seconds of heartbeat after the last car

    explicit TRaceSession(const TSimOptions& options);

    std::vector<TSimLine> Run();

private:
    void Preamble();
    void Heartbeat(TimeValue t);
    void Crossing(int car, TimeValue at);
    void Emit(TimeValue at, std::string text) { m_lines.push_back({at, std::move(text)}); }
    TimeValue FirstCrossing(int car);
    TimeValue LapTime(int car, TimeValue start);
    TimeValue PassedLapTime(int car, TimeValue at) const;
    int NextCar() const;
    int LapsToGo() const;

    TSimOptions m_options;
    TSimRandom m_random;
    std::vector<TSimCar> m_cars;
    TSimFlagPlan m_flags;
    TSimStandings m_standings;
    std::vector<TimeValue> m_nextCrossing; // kNever once a car has taken the chequered flag
    bool m_chequered = false;
    std::vector<TSimLine> m_lines;
};

} // namespace kav
