#pragma once

#include <chrono>

#include "feed_time.h"

namespace kav {

// The time of day for passings and marker expiry, and a steady time for how long something lasted;
// tests set both by hand.
class ClockSource {
public:
    virtual ~ClockSource() = default;
    virtual TimeValue timeOfDay() const = 0;
    // Only moves forward: setting the computer's clock or a change to summer time does not move it.
    virtual std::chrono::milliseconds steady() const = 0;
};

// The system clock's local time of day.
class SystemClock final : public ClockSource {
public:
    TimeValue timeOfDay() const override;
    std::chrono::milliseconds steady() const override;
};

// A clock that stands still until it is set or advanced; setting the time of day leaves the steady
// time where it is, advancing moves both.
class ManualClock final : public ClockSource {
public:
    TimeValue timeOfDay() const override { return m_time; }
    std::chrono::milliseconds steady() const override { return m_steady; }
    void set(TimeValue time) { m_time = time; }
    void advance(TimeValue ticks)
    {
        m_time += ticks;
        m_steady += std::chrono::milliseconds(ticks / (kTicksPerSecond / 1000));
    }

private:
    TimeValue m_time = 0;
    std::chrono::milliseconds m_steady{0};
};

} // namespace kav
