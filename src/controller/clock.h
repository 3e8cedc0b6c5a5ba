#pragma once

#include "zeb_time.h"

namespace kav {

// The time of day for passings and marker expiry; tests set it by hand.
class TClock {
public:
    virtual ~TClock() = default;
    virtual TimeValue TimeOfDay() const = 0;
};

// The system clock's local time of day.
class TSystemClock final : public TClock {
public:
    TimeValue TimeOfDay() const override;
};

// A clock that stands still until it is set.
class TManualClock final : public TClock {
public:
    TimeValue TimeOfDay() const override { return m_time; }
    void Set(TimeValue time) { m_time = time; }
    void Advance(TimeValue ticks) { m_time += ticks; }

private:
    TimeValue m_time = 0;
};

} // namespace kav
