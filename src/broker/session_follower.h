#pragma once

#include <QByteArray>

#include <cstdint>
#include <map>

namespace kav {

// A publisher session's identity, new each time a publisher starts: its start time and a random part,
// written "<start in ms, hex>-<random, hex>", so that a newer session compares newer.
QByteArray makeSessionId(std::int64_t startMs, std::uint64_t random);
// The start time of a session id; 0 for an id of another form.
std::int64_t sessionStart(const QByteArray& session);

// Chooses, for a display whose prefix may match many sessions (a wildcard, or retained values left by
// earlier runs), the one session it follows: the newest live one, or the newest when none is live.
// A newer session taking over is followed at once; messages of any other session are ignored.
class SessionFollower {
public:
    // A session said it is online, or offline or lost.
    void noteStatus(const QByteArray& session, bool online);
    // Whether a line or burst of this session is to be taken; a newer session is followed from here on.
    bool accept(const QByteArray& session);

    const QByteArray& followed() const { return m_followed; }
    bool isFollowed(const QByteArray& session) const { return !m_followed.isEmpty() && session == m_followed; }

private:
    bool live(const QByteArray& session) const;
    bool newer(const QByteArray& session) const;

    std::map<QByteArray, bool> m_online; // the sessions whose status was seen
    QByteArray m_followed;
};

} // namespace kav
