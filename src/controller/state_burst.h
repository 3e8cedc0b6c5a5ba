#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "competitor_records.h"
#include "main_settings.h"
#include "race_state.h"
#include "timing_records.h"

namespace kav {

// The run-level records the race lists do not keep: the last $I, $B and $F of the feed.
class LatestRunRecords {
public:
    // Notes a received line (its LF may still be on); a $I forgets the run's $B and $F.
    void take(std::string_view line);

    const std::optional<RunStartRecord>& newRun() const { return m_newRun; }
    const std::optional<RunRecord>& run() const { return m_run; }
    const std::optional<HeartbeatRecord>& heartbeat() const { return m_heartbeat; }

private:
    std::optional<RunStartRecord> m_newRun;
    std::optional<RunRecord> m_run;
    std::optional<HeartbeatRecord> m_heartbeat;
};

// The whole state of the run as feed lines, each ended by LF, that bring a program which has seen
// nothing to the standings this one shows: $I, the run, classes, track, competitors, the last passing
// of each car, the race and practice standings, and the last heartbeat.
std::string buildStateBurst(const RaceState& state, const MainSettings& settings, const LatestRunRecords& latest);

} // namespace kav
