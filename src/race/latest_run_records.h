#pragma once

#include <optional>

#include "parsed_record.h"
#include "timing_records.h"

namespace kav {

// The run-level records the race lists do not keep: the last $I, $B and $F of the feed.
class LatestRunRecords {
public:
    // Notes a parsed line; a $I forgets the run's $B and $F.
    void take(const ParsedRecord& record);

    const std::optional<RunStartRecord>& newRun() const { return m_newRun; }
    const std::optional<RunRecord>& run() const { return m_run; }
    const std::optional<HeartbeatRecord>& heartbeat() const { return m_heartbeat; }

private:
    std::optional<RunStartRecord> m_newRun;
    std::optional<RunRecord> m_run;
    std::optional<HeartbeatRecord> m_heartbeat;
};

} // namespace kav
