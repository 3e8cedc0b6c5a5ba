#include "feed_pacer.h"

#include <algorithm>
#include <cmath>

namespace kav {

FeedPacer::FeedPacer(std::vector<SimLine> lines, double speed, Sink sink, QObject* parent)
    : QObject(parent), m_lines(std::move(lines)), m_speed(speed), m_sink(std::move(sink))
{
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &FeedPacer::sendDue);
}

void FeedPacer::start()
{
    if (m_clock.isValid() || m_stopped)
        return;
    m_clock.start();
    sendDue();
}

void FeedPacer::restart(std::vector<SimLine> lines, TimeValue delay)
{
    if (m_stopped)
        return;
    m_lines = std::move(lines);
    m_next = 0;
    m_delay = delay;
    m_clock.start();
    sendDue();
}

void FeedPacer::stop()
{
    m_stopped = true;
    m_timer.stop();
}

TimeValue FeedPacer::sessionNow() const
{
    // One tick of session time is 100 microseconds.
    const double ticks = static_cast<double>(m_clock.nsecsElapsed()) * m_speed / 100000.0;
    return static_cast<TimeValue>(std::min(ticks, double{kMaxShownTime})) - m_delay;
}

void FeedPacer::sendDue()
{
    const TimeValue now = sessionNow();
    while (m_next < m_lines.size() && m_lines[m_next].at <= now)
        m_sink(m_lines[m_next++].text);
    if (m_next == m_lines.size()) {
        emit isFinished();
        return;
    }
    const double waitMs = (m_lines[m_next].at - now) / m_speed / 10.0;
    const auto longest = static_cast<double>(kLongestWait.count());
    m_timer.start(static_cast<int>(std::clamp(std::ceil(waitMs), 0.0, longest)));
}

} // namespace kav
