#include "clock.h"

namespace kav {

TimeValue TSystemClock::TimeOfDay() const
{
    return DateTimeToTime(std::chrono::system_clock::now());
}

std::chrono::milliseconds TSystemClock::Steady() const
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch());
}

} // namespace kav
