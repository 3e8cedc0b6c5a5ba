#pragma once

#include <vector>

#include "sim_options.h"

namespace kav {

// Sessions one after another, as on a race day: each has the next run number and seed, and starts a
// short break after the previous one ended by the feed's clock.
class TSimSeries {
public:
    static constexpr TimeValue kBreak = kTicksPerSecond; // from the last line of a session to the next $I

    explicit TSimSeries(const TSimOptions& first) : m_next(first) {}

    // The lines of the next session, timed from its own start.
    std::vector<TSimLine> Next();

    // The options of the session that follows one that ended after the given session time.
    static TSimOptions After(const TSimOptions& ended, TimeValue length);

private:
    TSimOptions m_next;
};

} // namespace kav
