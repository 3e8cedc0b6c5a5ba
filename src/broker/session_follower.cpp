#include "session_follower.h"

namespace kav {

QByteArray makeSessionId(std::int64_t startMs, std::uint64_t random)
{
    return QByteArray::number(static_cast<qlonglong>(startMs), 16) + '-' +
           QByteArray::number(static_cast<qulonglong>(random), 16);
}

std::int64_t sessionStart(const QByteArray& session)
{
    const qsizetype dash = session.indexOf('-');
    bool ok = false;
    const qlonglong start = dash > 0 ? session.left(dash).toLongLong(&ok, 16) : 0;
    return ok ? start : 0;
}

bool SessionFollower::live(const QByteArray& session) const
{
    const auto found = m_online.find(session);
    return found != m_online.end() && found->second;
}

bool SessionFollower::newer(const QByteArray& session) const
{
    return sessionStart(session) > sessionStart(m_followed);
}

// A session that ends stays followed: its last state is what the display shows. An older session
// that is still online is preferred only to one that has ended.
void SessionFollower::noteStatus(const QByteArray& session, bool online)
{
    m_online[session] = online;
    if (m_followed.isEmpty()) {
        m_followed = session;
        return;
    }
    if (session == m_followed)
        return;
    if (online ? newer(session) || !live(m_followed) : newer(session) && !live(m_followed))
        m_followed = session;
}

// Messages of a session whose status is not known yet (a publisher that has just started) say it is
// live; a newer session known to have ended does not take over from a live one.
bool SessionFollower::accept(const QByteArray& session)
{
    const bool live = m_online.try_emplace(session, true).first->second;
    if (m_followed.isEmpty() || (newer(session) && (live || !this->live(m_followed))))
        m_followed = session;
    return session == m_followed;
}

} // namespace kav
