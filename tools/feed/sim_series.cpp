#include "sim_series.h"

#include "race_session.h"

namespace kav {

std::vector<TSimLine> TSimSeries::Next()
{
    auto lines = SimulateSession(m_next);
    m_next = After(m_next, lines.empty() ? 0 : lines.back().at);
    return lines;
}

TSimOptions TSimSeries::After(const TSimOptions& ended, TimeValue length)
{
    TSimOptions next = ended;
    next.run = ended.run % kSimLastRun + 1;
    ++next.seed;
    // Summed in 64 bits: a session of 1000 laps lasts more than a day of the feed's clock.
    next.startOfDay = static_cast<TimeValue>((static_cast<std::int64_t>(ended.startOfDay) + length + kBreak) % kSimDay);
    return next;
}

} // namespace kav
