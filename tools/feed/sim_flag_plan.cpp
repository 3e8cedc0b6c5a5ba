#include "sim_flag_plan.h"

namespace kav {

TSimFlagPlan::TSimFlagPlan(TimeValue nominalLength, bool withRed, TSimRandom& random)
{
    m_yellowFrom = static_cast<TimeValue>(nominalLength * random.Between(25, 40) / 100);
    m_yellowTo = m_yellowFrom + static_cast<TimeValue>(random.Between(40, 90)) * kTicksPerSecond;
    if (withRed) {
        m_redFrom = static_cast<TimeValue>(nominalLength * random.Between(60, 70) / 100);
        m_redTo = m_redFrom + static_cast<TimeValue>(random.Between(20, 40)) * kTicksPerSecond;
    }
}

std::string TSimFlagPlan::FlagAt(TimeValue t) const
{
    if (IsRed(t))
        return "Red   ";
    return IsYellow(t) ? "Yellow" : "Green ";
}

int TSimFlagPlan::SlowdownAt(TimeValue t) const
{
    if (IsRed(t))
        return 160;
    return IsYellow(t) ? 125 : 100;
}

} // namespace kav
