#pragma once

#include <map>
#include <string>
#include <vector>

#include "sim_entry_list.h"
#include "sim_flag_plan.h"
#include "sim_options.h"
#include "sim_pit_loops.h"
#include "sim_standings.h"

namespace kav {

// A whole simulated session as the timing computer would send it, each line with its session time.
std::vector<SimLine> simulateSession(const SimOptions& options);

// Runs one session: cars cross the line lap after lap until the chequered flag has caught them all.
class RaceSession {
public:
    static constexpr TimeValue kNominalLap = 900000;                // 90 s, the length of the session per lap
    static constexpr TimeValue kStartOfDay = kSimStartOfDay;        // the first session starts at 14:00
    static constexpr int kClosingHeartbeats = 5;                    // seconds of heartbeat after the last car
    static constexpr TimeValue kResendEvery = 50 * kTicksPerSecond; // the timing computer re-sends its state
    static constexpr int kExtraHeartbeatPercent = 30;               // a crossing that comes with a heartbeat of its own
    static constexpr int kCorrectionPercent = 5;                    // with --corrections: passings sent again corrected
    static constexpr TimeValue kPenalty = 10 * kTicksPerSecond;     // with --penalties
    static constexpr TimeValue kLostFor = 60 * kTicksPerSecond;     // with --reconnect: the minute the listener misses

    explicit RaceSession(const SimOptions& options);

    std::vector<SimLine> run();
    // With pit loops: the stops the cars made.
    const std::vector<SimPitStop>& pitStops() const { return m_pits.stops(); }

private:
    void preamble();
    void state(TimeValue at, bool withPassings = false);
    void formationLap();
    void correctPassing(int car, TimeValue at, TimeValue lapTime);
    void givePenalty(TimeValue at);
    void secondPassed(TimeValue t);
    void heartbeat(TimeValue t);
    void crossing(int car, TimeValue at);
    void emitLine(TimeValue at, std::string text);
    void emitLaterLine(TimeValue at, std::string text);
    void sendLaterLines(TimeValue until);
    void loopCrossing(int car, int lap, TimeValue at);
    void planPitIn(int car, int lap);
    TimeValue firstCrossing(int car);
    TimeValue nextLapTime(int car, TimeValue start);
    TimeValue passedLapTime(int car, TimeValue at) const;
    TimeValue timeOfDay(TimeValue at) const;
    int nextCar() const;
    int lapsToGo() const;

    SimOptions m_options;
    SimRandom m_random;
    SimRandom m_quirks; // the feed's own habits, apart from the race so they do not change its course
    std::vector<SimCar> m_cars;
    SimFlagPlan m_flags;
    SimStandings m_standings;
    std::vector<TimeValue> m_nextCrossing; // kNever once a car has taken the chequered flag
    bool m_chequered = false;
    std::vector<std::string> m_lastPassings; // each car's last $J, sent again with the state on a reconnect
    TimeValue m_lostFrom = 0;                // with --reconnect: lines from here ...
    TimeValue m_lostUntil = 0;               // ... to here never reach the listener
    bool m_penaltyGiven = false;
    SimPitPlan m_pits;
    std::vector<TimeValue> m_pitInAt;              // per car: the pit-in of the stop under way, -1 none
    std::multimap<TimeValue, std::string> m_later; // lines due after the crossing that made them
    std::vector<SimLine> m_lines;
};

} // namespace kav
