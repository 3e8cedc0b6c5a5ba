#pragma once

#include <string>

#include "feed_time.h"
#include "sim_random.h"

namespace kav {

// When the session runs under yellow or red, and how much that slows the cars.
class SimFlagPlan {
public:
    // One yellow period at a third of the nominal length; a race also gets a red one at two thirds.
    SimFlagPlan(TimeValue nominalLength, bool withRed, SimRandom& random);

    // The six-character flag text of the heartbeat at session time t.
    std::string flagAt(TimeValue t) const;
    // Lap time factor in percent for a lap begun at t.
    int slowdownAt(TimeValue t) const;

private:
    bool isYellow(TimeValue t) const { return t >= m_yellowFrom && t < m_yellowTo; }
    bool isRed(TimeValue t) const { return t >= m_redFrom && t < m_redTo; }

    TimeValue m_yellowFrom = 0;
    TimeValue m_yellowTo = 0;
    TimeValue m_redFrom = 0;
    TimeValue m_redTo = 0;
};

} // namespace kav
