#include "feed_pacer.h"

#include <algorithm>
#include <cmath>

namespace kav {

TFeedPacer::TFeedPacer(std::vector<TSimLine> lines, double speed, Sink sink, QObject* parent)
    : QObject(parent), m_lines(std::move(lines)), m_speed(speed), m_sink(std::move(sink))
{
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &TFeedPacer::SendDue);
}

void TFeedPacer::Start()
{
    if (m_clock.isValid() || m_stopped)
        return;
    m_clock.start();
    SendDue();
}

void TFeedPacer::Restart(std::vector<TSimLine> lines, TimeValue delay)
{
    if (m_stopped)
        return;
    m_lines = std::move(lines);
    m_next = 0;
    m_delay = delay;
    m_clock.start();
    SendDue();
}

void TFeedPacer::Stop()
{
    m_stopped = true;
    m_timer.stop();
}

TimeValue TFeedPacer::SessionNow() const
{
    // One tick of session time is 100 microseconds.
    const double ticks = static_cast<double>(m_clock.nsecsElapsed()) * m_speed / 100000.0;
    return static_cast<TimeValue>(std::min(ticks, double{kMaxShownTime})) - m_delay;
}

void TFeedPacer::SendDue()
{
    const TimeValue now = SessionNow();
    while (m_next < m_lines.size() && m_lines[m_next].at <= now)
        m_sink(m_lines[m_next++].text);
    if (m_next == m_lines.size()) {
        emit Finished();
        return;
    }
    const double waitMs = (m_lines[m_next].at - now) / m_speed / 10.0;
    const auto longest = static_cast<double>(kLongestWait.count());
    m_timer.start(static_cast<int>(std::clamp(std::ceil(waitMs), 0.0, longest)));
}

} // namespace kav
