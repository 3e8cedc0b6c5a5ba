#include "latest_run_records.h"

namespace kav {

void LatestRunRecords::take(const ParsedRecord& record)
{
    if (const auto* newRun = std::get_if<RunStartRecord>(&record.data)) {
        m_newRun = record.valid ? std::optional(*newRun) : std::nullopt;
        m_run.reset();
        m_heartbeat.reset();
    } else if (!record.valid) {
        return;
    } else if (const auto* run = std::get_if<RunRecord>(&record.data)) {
        m_run = *run;
    } else if (const auto* heartbeat = std::get_if<HeartbeatRecord>(&record.data)) {
        m_heartbeat = *heartbeat;
    }
}

} // namespace kav
