#include "feed_publisher.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QRandomGenerator>

#include <algorithm>
#include <array>

#include "feed_sequencer.h"
#include "session_follower.h"
#include "topic_names.h"

namespace kav {
namespace {

constexpr std::array kRetainedNames{topic::kBurst, topic::kState, topic::kFlag,
                                    topic::kRun,   topic::kInfo,  topic::kStatus};

} // namespace

FeedPublisher::FeedPublisher(QObject* parent) : QObject(parent)
{
    m_retainedTimer.setInterval(kRetainedInterval);
    connect(&m_retainedTimer, &QTimer::timeout, this, &FeedPublisher::flushRetained);
    connect(&m_client, &MqttClient::connected, this, &FeedPublisher::handleConnected);
    connect(&m_client, &MqttClient::disconnected, this, [this] {
        m_outbox.requeue();
        m_eventOutbox.requeue();
        m_retainedInFlight.clear();
        for (auto& [name, retained] : m_retained)
            retained.dirty = true;
        m_history.markAllDirty(); // a broker restarted without its store lost them
    });
    connect(&m_client, &MqttClient::acknowledged, this, &FeedPublisher::handleAcknowledged);
    connect(&m_client, &MqttClient::messageReceived, this, &FeedPublisher::handleMessage);
    connect(&m_client, &MqttClient::statusChanged, this, &FeedPublisher::statusChanged);
    // The presence connection coming back may follow its own "lost": the status is said again.
    connect(&m_presence, &MqttClient::connected, this, [this] {
        Retained& status = m_retained[topic::kStatus];
        status.value = m_finishing ? topic::kOffline : topic::kOnline;
        status.dirty = true;
        flushRetained();
    });
}

FeedPublisher::~FeedPublisher()
{
    blockSignals(true);
    stop();
}

// one they have seen.
void FeedPublisher::start(const BrokerConnectionSettings& connection)
{
    m_connection = connection;
    if (m_connection.clientId.isEmpty())
        m_connection.clientId = defaultClientId("publisher");
    m_rival.clear();
    beginSession();
    m_running = true;
    m_finishing = false;
    m_retainedTimer.start();
    m_client.start(session());
    m_presence.start(presenceSession());
}

void FeedPublisher::beginSession()
{
    m_instance = makeSessionId(QDateTime::currentMSecsSinceEpoch(), QRandomGenerator::global()->generate());
    m_ownInstances.insert(m_instance);
    m_retained[topic::kStatus].sequence = FeedSequence{m_instance, 0}.text();
    m_outbox = LineOutbox(m_outboxCapacity);
    m_history.clear();
    m_eventOutbox = LineOutbox(m_outboxCapacity);
    m_refusedLines = 0;
    m_eventsPublished = 0;
    m_refusedEvents = 0;
    m_retainedRefused = false;
    for (auto& [name, retained] : m_retained)
        retained.dirty = true;
    if (const auto burst = m_retained.find(topic::kBurst); burst != m_retained.end())
        burst->second.sequence = FeedSequence{m_instance, 0}.text();
}

// What the old session still owed is of no use to anyone now; the will is made again for the new one.
void FeedPublisher::startNewSession()
{
    if (!m_running)
        return;
    beginSession();
    m_retained[topic::kStatus].value = topic::kOnline;
    m_presence.start(presenceSession());
    emit statusChanged();
}

void FeedPublisher::stop()
{
    m_running = false;
    m_retainedTimer.stop();
    m_presence.stop(); // an orderly goodbye: the broker keeps its will
    m_client.stop();
    m_retainedInFlight.clear();
    emit statusChanged();
}

// Without a broker there is nothing to wait for unless the caller must know that everything arrived.
FeedPublisher::FinishReport FeedPublisher::finish(std::chrono::milliseconds timeout, bool waitForBroker)
{
    if (!m_running)
        return report();
    if (!m_client.isConnected() && !waitForBroker) {
        stop();
        return report();
    }
    m_finishing = true;
    Retained& status = m_retained[topic::kStatus];
    status.value = topic::kOffline;
    status.dirty = true;
    sendWaiting();
    m_finishTimeout = timeout;
    m_lastProgress = QDeadlineTimer(timeout);
    while (!(m_client.isConnected() && everythingSent()) && !m_lastProgress.hasExpired()) {
        // Wakes at the latest with the retained timer; the overload with a time limit would spin.
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        if (!waitForBroker && !m_client.isConnected())
            break;
    }
    const FinishReport result = report();
    stop();
    return result;
}

FeedPublisher::FinishReport FeedPublisher::report() const
{
    FinishReport result;
    result.linesPublished = m_outbox.lastSequence();
    result.linesNotDelivered = m_outbox.waiting() + m_outbox.unacknowledged() + m_outbox.dropped() + m_refusedLines;
    result.eventsPublished = m_eventsPublished;
    result.eventsNotDelivered =
        m_eventOutbox.waiting() + m_eventOutbox.unacknowledged() + m_eventOutbox.dropped() + m_refusedEvents;
    result.retainedDelivered = m_running ? everythingSent() && !m_retainedRefused : true;
    result.problem = m_client.status().problem;
    return result;
}

MqttSession FeedPublisher::session() const
{
    MqttSession session;
    session.connection = m_connection;
    session.clientId = m_connection.clientId;
    return session;
}

// The will stands on a connection of its own, which says and sends nothing: a will cannot change on a
// connection, and the publishing one must not reconnect when the prefix or the session changes.
MqttSession FeedPublisher::presenceSession() const
{
    MqttSession session = this->session();
    session.clientId += QStringLiteral("-presence");
    session.willTopic = topicOf(m_prefix, topic::kStatus);
    session.willPayload = topic::kLost;
    session.willSequence = FeedSequence{m_instance, 0}.text();
    return session;
}

void FeedPublisher::setTopicPrefix(const QString& prefix)
{
    if (prefix == m_prefix)
        return;
    const QString old = m_prefix;
    m_prefix = prefix;
    for (auto& [name, retained] : m_retained)
        retained.dirty = true;
    m_history.markAllDirty();
    if (!m_running)
        return;
    m_presence.start(presenceSession());
    if (!m_client.isConnected()) {
        m_stalePrefixes.append(old);
        return;
    }
    clearRetained(old);
    m_client.subscribe({topicOf(m_prefix, topic::kStatus)});
    flushRetained();
}

void FeedPublisher::publishLine(const QByteArray& line)
{
    if (!m_running)
        return;
    const std::uint64_t sequence = m_outbox.push(topicOf(m_prefix, topic::kFeed), line);
    m_history.append(sequence, line);
    if (m_outbox.waiting() == 1)
        sendWaiting();
}

void FeedPublisher::recordLine(const QByteArray& line)
{
    if (m_running)
        m_history.append(m_outbox.skipSequence(), line);
}

void FeedPublisher::publishEvent(const QByteArray& event, std::uint64_t seq)
{
    if (!m_running)
        return;
    m_eventOutbox.push(topicOf(m_prefix, topic::kEvents), event, seq);
    ++m_eventsPublished;
    if (m_eventOutbox.waiting() == 1 && !m_sendQueued)
        sendWaiting();
}

void FeedPublisher::setRetained(const char* name, const QByteArray& value)
{
    const auto [slot, added] = m_retained.try_emplace(name);
    if (!added && slot->second.value == value)
        return;
    slot->second.value = value;
    slot->second.dirty = true;
}

// The last history chunk goes with every burst, and ahead of it, so that a display gets the lines
// themselves before it would fall back on the burst.
void FeedPublisher::setBurst(const QByteArray& lines, std::uint64_t coveredSequence)
{
    m_history.markTailDirty();
    Retained& burst = m_retained[topic::kBurst];
    const QByteArray sequence = FeedSequence{m_instance, coveredSequence}.text();
    if (burst.value == lines && (burst.sequence == sequence || !m_burstRepeat.hasExpired()))
        return;
    burst.value = lines;
    burst.sequence = sequence;
    burst.dirty = true;
    m_burstRepeat.setRemainingTime(kBurstRepeatInterval);
}

QString FeedPublisher::statusText() const
{
    QString text = m_client.status().text();
    const std::size_t owed = m_outbox.waiting() + m_outbox.unacknowledged();
    if (m_client.status().state != BrokerStatus::State::Connected && owed > 0)
        text += QStringLiteral("; %1 lines waiting").arg(owed);
    if (m_outbox.dropped() > 0)
        text += QStringLiteral("; %1 lines dropped").arg(m_outbox.dropped());
    if (m_eventOutbox.dropped() > 0)
        text += QStringLiteral("; %1 events dropped").arg(m_eventOutbox.dropped());
    if (!m_rival.isEmpty())
        text += QStringLiteral("; another Kavendor publishes under %1 too").arg(m_prefix);
    return text;
}

// Retained values of an earlier prefix go first, then what the last connection left unsent. The
// subscription comes before this publisher's own status, so a rival's retained "online" arrives first.
void FeedPublisher::handleConnected()
{
    for (const QString& stale : std::exchange(m_stalePrefixes, {}))
        clearRetained(stale);
    m_client.subscribe({topicOf(m_prefix, topic::kStatus)});
    Retained& status = m_retained[topic::kStatus];
    status.value = m_finishing ? topic::kOffline : topic::kOnline;
    status.dirty = true;
    sendWaiting();
    emit statusChanged();
}

void FeedPublisher::handleAcknowledged(int messageId, bool accepted)
{
    if (m_finishing)
        m_lastProgress.setRemainingTime(m_finishTimeout); // the broker is still taking what is owed
    if (m_outbox.acknowledge(messageId))
        m_refusedLines += accepted ? 0 : 1;
    else if (m_eventOutbox.acknowledge(messageId))
        m_refusedEvents += accepted ? 0 : 1;
    else if (m_retainedInFlight.remove(messageId))
        m_retainedRefused = m_retainedRefused || !accepted;
}

// A rival is a publisher other than this one, then or before, that says it is online; its "offline"
// or "lost" ends it.
void FeedPublisher::handleMessage(const MqttMessage& message)
{
    const auto sender = FeedSequence::parse(message.sequence);
    if (message.topic != topicOf(m_prefix, topic::kStatus) || !sender || m_ownInstances.contains(sender->instance))
        return;
    if (message.payload != topic::kOnline) {
        if (sender->instance == m_rival) {
            m_rival.clear();
            emit statusChanged();
        }
        return;
    }
    if (sender->instance == m_rival)
        return;
    m_rival = sender->instance;
    emit rivalFound(QStringLiteral("another Kavendor (instance %1) publishes under %2 too: the displays would "
                                   "mix the lines of both; give each its own topic prefix")
                        .arg(QString::fromLatin1(m_rival), m_prefix));
    emit statusChanged();
}

// A long backlog goes out in batches, so that the display keeps its turns of the event loop. Lines go
// before events: the displays need them, the events are news.
void FeedPublisher::sendWaiting()
{
    m_sendQueued = false;
    if (!m_client.isConnected())
        return;
    int budget = kBatchSize;
    if (!sendFrom(m_outbox, budget) || !sendFrom(m_eventOutbox, budget))
        return;
    if (m_outbox.waiting() + m_eventOutbox.waiting() > 0) {
        m_sendQueued = true;
        QTimer::singleShot(0, this, [this] {
            if (m_sendQueued)
                sendWaiting();
        });
        return;
    }
    flushRetained();
}

// False when the connection took no more.
bool FeedPublisher::sendFrom(LineOutbox& outbox, int& budget)
{
    for (; budget > 0; --budget) {
        const LineOutbox::Entry* next = outbox.nextWaiting();
        if (!next)
            return true;
        const int messageId =
            m_client.publish(next->topic, next->line, false, FeedSequence{m_instance, next->sequence}.text());
        if (messageId == 0)
            return false;
        outbox.markSent(messageId);
    }
    return true;
}

void FeedPublisher::flushRetained()
{
    if (!m_client.isConnected() || m_outbox.waiting() > 0 || !flushHistory())
        return;
    for (auto& [name, retained] : m_retained) {
        if (!retained.dirty)
            continue;
        const int messageId =
            m_client.publish(topicOf(m_prefix, name.constData()), retained.value, true, retained.sequence);
        if (messageId == 0)
            return;
        retained.dirty = false;
        m_retainedInFlight.insert(messageId);
    }
}

// False when the connection took no more.
bool FeedPublisher::flushHistory()
{
    std::vector<FeedHistory::Chunk>& chunks = m_history.chunks();
    for (std::size_t index = 0; index < chunks.size(); ++index) {
        FeedHistory::Chunk& chunk = chunks[index];
        if (!chunk.dirty)
            continue;
        const int messageId = m_client.publish(historyTopicOf(m_prefix, static_cast<int>(index)), chunk.text, true,
                                               FeedSequence{m_instance, chunk.firstSequence}.text());
        if (messageId == 0)
            return false;
        chunk.dirty = false;
        m_retainedInFlight.insert(messageId);
    }
    m_historyChunksOnBroker = std::max(m_historyChunksOnBroker, static_cast<int>(chunks.size()));
    return true;
}

// An empty retained message removes the broker's retained value.
void FeedPublisher::clearRetained(const QString& prefix)
{
    for (const char* name : kRetainedNames)
        m_client.publish(topicOf(prefix, name), QByteArray(), true);
    for (int index = 0; index < m_historyChunksOnBroker; ++index)
        m_client.publish(historyTopicOf(prefix, index), QByteArray(), true);
}

bool FeedPublisher::everythingSent() const
{
    if (!m_outbox.empty() || !m_eventOutbox.empty() || !m_retainedInFlight.isEmpty() || m_history.anyDirty())
        return false;
    return std::none_of(m_retained.begin(), m_retained.end(), [](const auto& entry) { return entry.second.dirty; });
}

} // namespace kav
