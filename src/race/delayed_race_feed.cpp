#include "delayed_race_feed.h"

namespace kav {

DelayedRaceFeed::DelayedRaceFeed(Device& live, ProgramSettings& settings, const ClockSource& clock,
                                 const FollowList& followed, std::chrono::seconds delay)
    : m_lines(clock, delay), m_feed(m_relay, settings, clock)
{
    QObject::connect(&live, &Device::lineReceived, &m_lines, &DelayedLines::take);
    QObject::connect(&live, &Device::streamRestarted, &m_lines, [this] { restart(); });
    QObject::connect(&m_lines, &DelayedLines::lineReleased, &m_relay,
                     [this](const QByteArray& line) { m_relay.receiveBytes(line); });
    m_feed.Followed.set(followed.entries());
    QObject::connect(&followed, &FollowList::changed, &m_feed.Records,
                     [this, &followed] { m_feed.Followed.set(followed.entries()); });
}

void DelayedRaceFeed::restart()
{
    m_lines.clear();
    m_relay.forgetPartialLine();
    m_feed.restart();
    m_feed.announceAll();
}

} // namespace kav
