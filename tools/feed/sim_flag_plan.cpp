#include "sim_flag_plan.h"

namespace kav {

SimFlagPlan::SimFlagPlan(TimeValue nominalLength, bool withRed, SimRandom& random)
{
    m_yellowFrom = static_cast<TimeValue>(nominalLength * random.between(25, 40) / 100);
    m_yellowTo = m_yellowFrom + static_cast<TimeValue>(random.between(40, 90)) * kTicksPerSecond;
    if (withRed) {
        m_redFrom = static_cast<TimeValue>(nominalLength * random.between(60, 70) / 100);
        m_redTo = m_redFrom + static_cast<TimeValue>(random.between(20, 40)) * kTicksPerSecond;
    }
}

std::string SimFlagPlan::flagAt(TimeValue t) const
{
    if (isRed(t))
        return "Red   ";
    return isYellow(t) ? "Yellow" : "Green ";
}

int SimFlagPlan::slowdownAt(TimeValue t) const
{
    if (isRed(t))
        return 160;
    return isYellow(t) ? 125 : 100;
}

} // namespace kav
