#include "state_feed.h"

#include <algorithm>

namespace kav {

StateFeed::StateFeed(ResultsSource& source, std::chrono::milliseconds interval, QObject* parent)
    : QObject(parent), m_document(source), m_interval(interval)
{
    m_pushTimer.setSingleShot(true);
    m_pushTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_pushTimer, &QTimer::timeout, this, &StateFeed::push);
    connect(&m_document, &StateDocument::changed, this, &StateFeed::schedule);
    m_sinceLastPush.start();
}

void StateFeed::hold()
{
    if (++m_readers == 1 && m_document.pending())
        schedule();
}

void StateFeed::release()
{
    m_readers = std::max(m_readers - 1, 0);
}

void StateFeed::schedule()
{
    if (m_readers == 0 || m_pushTimer.isActive() || m_publishQueued)
        return;
    const qint64 wait = m_interval.count() - m_sinceLastPush.elapsed();
    m_pushTimer.start(static_cast<int>(std::max<qint64>(wait, 0)));
}

// The update is made after the changes the models have already posted, so that it holds every
// effect of the lines it counts. The interval counts from the update itself, which on a busy
// machine comes a little after the timer.
void StateFeed::push()
{
    m_publishQueued = true;
    QMetaObject::invokeMethod(this, &StateFeed::publish, Qt::QueuedConnection);
}

void StateFeed::publishNow()
{
    if (!m_document.pending())
        return;
    m_pushTimer.stop();
    m_sinceLastPush.restart();
    publish();
}

void StateFeed::publish()
{
    m_publishQueued = false;
    m_sinceLastPush.restart();
    const QByteArray update = m_document.publish();
    if (!update.isEmpty())
        emit updated(update);
}

} // namespace kav
