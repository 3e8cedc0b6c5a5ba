#include "delayed_lines.h"

namespace kav {

DelayedLines::DelayedLines(const ClockSource& clock, std::chrono::seconds delay, QObject* parent)
    : QObject(parent), m_clock(clock), m_delay(delay)
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &DelayedLines::releaseDue);
}

void DelayedLines::clear()
{
    m_waiting.clear();
    m_waitingBytes = 0;
    m_overflowing = false;
    m_timer.stop();
}

void DelayedLines::take(const QByteArray& line)
{
    m_waiting.push_back({m_clock.steady() + m_delay, line});
    m_waitingBytes += line.size();
    bool early = false;
    while (m_waitingBytes > kMaxWaitingBytes && m_waiting.size() > 1) {
        releaseFront();
        early = true;
    }
    if (early && !m_overflowing)
        emit shortened();
    m_overflowing = early;
    if (!m_timer.isActive())
        scheduleNext();
}

void DelayedLines::releaseDue()
{
    const std::chrono::milliseconds now = m_clock.steady();
    while (!m_waiting.empty() && m_waiting.front().due <= now)
        releaseFront();
    scheduleNext();
}

void DelayedLines::releaseFront()
{
    const QByteArray line = std::move(m_waiting.front().line);
    m_waiting.pop_front();
    m_waitingBytes -= line.size();
    emit lineReleased(line);
}

void DelayedLines::scheduleNext()
{
    if (m_waiting.empty()) {
        m_timer.stop();
        return;
    }
    const auto wait = m_waiting.front().due - m_clock.steady();
    m_timer.start(std::max(wait, std::chrono::milliseconds(0)));
}

} // namespace kav
