#include "clock.h"

#include <chrono>

namespace kav {

TimeValue TSystemClock::TimeOfDay() const
{
    return DateTimeToTime(std::chrono::system_clock::now());
}

} // namespace kav
