#pragma once

#include <chrono>

#include "zeb_time.h"

namespace kav {

// The time of day for passings and marker expiry, and a steady time for how long something lasted;
// tests set both by hand.
class TClock {
public:
    virtual ~TClock() = default;
    virtual TimeValue TimeOfDay() const = 0;
    // Only moves forward: setting the computer's clock or a change to summer time does not move it.
    virtual std::chrono::milliseconds Steady() const = 0;
};

// The system clock's local time of day.
class TSystemClock final : public TClock {
public:
    TimeValue TimeOfDay() const override;
    std::chrono::milliseconds Steady() const override;
};

// A clock that stands still until it is set or advanced; setting the time of day leaves the steady
// time where it is, advancing moves both.
class TManualClock final : public TClock {
public:
    TimeValue TimeOfDay() const override { return m_time; }
    std::chrono::milliseconds Steady() const override { return m_steady; }
    void Set(TimeValue time) { m_time = time; }
    void Advance(TimeValue ticks)
    {
        m_time += ticks;
        m_steady += std::chrono::milliseconds(ticks / (kTicksPerSecond / 1000));
    }

private:
    TimeValue m_time = 0;
    std::chrono::milliseconds m_steady{0};
};

} // namespace kav
