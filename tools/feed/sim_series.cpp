#include "sim_series.h"

#include "race_session.h"

namespace kav {

std::vector<SimLine> SimSeries::next()
{
    auto lines = simulateSession(m_next);
    m_next = after(m_next, lines.empty() ? 0 : lines.back().at);
    return lines;
}

SimOptions SimSeries::after(const SimOptions& ended, TimeValue length)
{
    SimOptions next = ended;
    next.run = ended.run % kSimLastRun + 1;
    ++next.seed;
    // Summed in 64 bits: a session of 1000 laps lasts more than a day of the feed's clock.
    next.startOfDay = static_cast<TimeValue>((static_cast<std::int64_t>(ended.startOfDay) + length + kBreak) % kSimDay);
    return next;
}

} // namespace kav
