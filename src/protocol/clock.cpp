#include "clock.h"

namespace kav {

TimeValue SystemClock::timeOfDay() const
{
    return dateTimeToTime(std::chrono::system_clock::now());
}

std::chrono::milliseconds SystemClock::steady() const
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch());
}

} // namespace kav
