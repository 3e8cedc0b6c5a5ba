#pragma once

#include <vector>

#include "sim_options.h"

namespace kav {

// Sessions one after another, as on a race day: each has the next run number and seed, and starts a
// short break after the previous one ended by the feed's clock.
class SimSeries {
public:
    static constexpr TimeValue kBreak = kTicksPerSecond; // from the last line of a session to the next $I

    explicit SimSeries(const SimOptions& first) : m_next(first) {}

    // The lines of the next session, timed from its own start.
    std::vector<SimLine> next();

    // The options of the session that follows one that ended after the given session time.
    static SimOptions after(const SimOptions& ended, TimeValue length);

private:
    SimOptions m_next;
};

} // namespace kav
