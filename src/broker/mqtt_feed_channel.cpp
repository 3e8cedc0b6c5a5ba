#include "mqtt_feed_channel.h"

#include <QTimer>

#include "feed_history.h"
#include "topic_names.h"

namespace kav {

QString FeedLosses::text() const
{
    QStringList parts;
    if (linesMissed > 0)
        parts << QStringLiteral("%1 lines missed").arg(linesMissed);
    if (tooLarge > 0)
        parts << QStringLiteral("%1 messages too large").arg(tooLarge);
    if (malformed > 0)
        parts << QStringLiteral("%1 malformed messages").arg(malformed);
    return parts.join(QStringLiteral(", "));
}

MqttFeedChannel::MqttFeedChannel(MqttFeedSettings settings, QObject* parent)
    : Communication(parent), m_settings(std::move(settings))
{
    if (m_settings.connection.clientId.isEmpty())
        m_settings.connection.clientId = defaultClientId("display");
    connect(&m_client, &MqttClient::connected, this, &MqttFeedChannel::handleConnected);
    connect(&m_client, &MqttClient::messageReceived, this, &MqttFeedChannel::handleMessage);
    connect(&m_client, &MqttClient::statusChanged, this, &MqttFeedChannel::statusChanged);
    connect(&m_client, &MqttClient::attemptFailed, this, [this] {
        if (!m_everConnected)
            emit connectionFailed();
    });
}

MqttFeedChannel::~MqttFeedChannel()
{
    blockSignals(true);
    m_client.stop();
}

// The program only listens; nothing goes back to the broker.
void MqttFeedChannel::send(const QByteArray&) {}

// Settings that cannot be used are reported like a broker that cannot be reached, but never tried.
void MqttFeedChannel::open()
{
    m_open = true;
    m_problem = checkBrokerConnection(m_settings.connection);
    if (m_problem.isEmpty())
        m_problem = checkTopicPrefix(m_settings.topic, true);
    if (!m_problem.isEmpty()) {
        emit statusChanged();
        QTimer::singleShot(0, this, [this] { emit connectionFailed(); });
        return;
    }
    MqttSession session;
    session.connection = m_settings.connection;
    session.clientId = m_settings.connection.clientId;
    session.keepSession = true;
    session.maximumPacketSize = kMaxPacketBytes;
    m_client.start(session);
}

void MqttFeedChannel::close()
{
    m_open = false;
    m_client.stop();
}

QString MqttFeedChannel::statusText() const
{
    if (!m_problem.isEmpty())
        return QStringLiteral("Feed: ") + m_problem;
    const BrokerStatus& status = m_client.status();
    if (status.state != BrokerStatus::State::Connected)
        return QStringLiteral("Feed lost: ") + status.text();
    if (!m_publisherOnline)
        return QStringLiteral("Feed from %1: the publisher is %2")
            .arg(status.address, m_publisherLost ? QStringLiteral("unreachable") : QStringLiteral("offline"));
    const QString losses = this->losses().text();
    return QStringLiteral("Feed from %1 (%2)").arg(status.address, m_settings.topic) +
           (losses.isEmpty() ? QString() : QStringLiteral("; ") + losses);
}

// A session the broker kept still holds the subscriptions and the messages queued meanwhile. The
// broker sends the retained values in the order of the subscriptions: the history before the burst.
void MqttFeedChannel::handleConnected(bool sessionPresent)
{
    m_everConnected = true;
    if (!sessionPresent)
        m_client.subscribe({topicOf(m_settings.topic, topic::kStatus), historyTopicOf(m_settings.topic, -1),
                            topicOf(m_settings.topic, topic::kBurst), topicOf(m_settings.topic, topic::kFeed)});
    emit opened();
}

void MqttFeedChannel::handleMessage(const MqttMessage& message)
{
    if (!m_open)
        return;
    const QByteArray name = message.topic.mid(message.topic.lastIndexOf('/') + 1);
    if (name == topic::kFeed)
        takeLine(message);
    else if (name == topic::kBurst)
        takeBurst(message);
    else if (name == topic::kStatus)
        handleStatus(message);
    else if (historyChunkOf(message.topic) >= 0)
        takeHistory(message);
}

FeedLosses MqttFeedChannel::losses() const
{
    FeedLosses losses = m_dropped;
    losses.linesMissed = m_sequencer.linesMissed();
    return losses;
}

void MqttFeedChannel::takeLine(const MqttMessage& message)
{
    if (message.payload.size() > kMaxLineBytes)
        return drop(m_dropped.tooLarge);
    const auto sequence = FeedSequence::parse(message.sequence);
    if (!sequence)
        return drop(m_dropped.malformed);
    if (m_sessions.accept(sequence->instance))
        deliverInOrder(sequence->instance, m_sequencer.takeLine(*sequence, message.payload));
}

// A burst or a history chunk worth taking: of the session followed, within its bound and numbered.
// An empty one is the publisher clearing its retained value.
std::optional<FeedSequence> MqttFeedChannel::snapshotSequence(const MqttMessage& message)
{
    if (message.payload.isEmpty())
        return std::nullopt;
    if (message.payload.size() > kMaxBurstBytes) {
        drop(m_dropped.tooLarge);
        return std::nullopt;
    }
    auto sequence = FeedSequence::parse(message.sequence);
    if (!sequence)
        drop(m_dropped.malformed);
    else if (!m_sessions.accept(sequence->instance))
        sequence.reset();
    return sequence;
}

void MqttFeedChannel::takeBurst(const MqttMessage& message)
{
    const auto sequence = snapshotSequence(message);
    if (!sequence)
        return;
    deliverInOrder(sequence->instance, m_sequencer.takeBurst(*sequence, message.payload));
    if (!m_endedWhileAway.isEmpty() && m_endedWhileAway == sequence->instance) {
        m_endedWhileAway.clear();
        emit closed();
    }
}

void MqttFeedChannel::takeHistory(const MqttMessage& message)
{
    const auto sequence = snapshotSequence(message);
    if (!sequence)
        return;
    QList<QByteArray> lines;
    if (!m_sequencer.takeHistory(*sequence, historyLines(message.payload), lines))
        return drop(m_dropped.tooLarge);
    deliverInOrder(sequence->instance, lines);
}

// A display shows one publisher session: the lines of a newer one start from nothing.
void MqttFeedChannel::deliverInOrder(const QByteArray& session, const QList<QByteArray>& messages)
{
    if (!messages.isEmpty() && session != m_delivered) {
        if (!m_delivered.isEmpty())
            emit streamRestarted();
        m_delivered = session;
    }
    for (const QByteArray& message : messages)
        deliver(message);
    if (m_sequencer.linesMissed() != m_reportedMissed) {
        m_reportedMissed = m_sequencer.linesMissed();
        emit lossesChanged();
    }
}

void MqttFeedChannel::drop(std::uint64_t& counter)
{
    ++counter;
    emit lossesChanged();
}

// The status of sessions other than the one followed only helps choose which one to follow.
void MqttFeedChannel::handleStatus(const MqttMessage& message)
{
    const QByteArray& payload = message.payload;
    if (payload.isEmpty())
        return;
    const auto sequence = FeedSequence::parse(message.sequence);
    if (!sequence || (payload != topic::kOnline && payload != topic::kOffline && payload != topic::kLost))
        return drop(m_dropped.malformed);
    m_sessions.noteStatus(sequence->instance, payload == topic::kOnline);
    if (!m_sessions.isFollowed(sequence->instance))
        return;
    const bool online = payload == topic::kOnline;
    const bool changed = online != m_publisherOnline || m_publisherLost != (payload == topic::kLost);
    m_publisherOnline = online;
    m_publisherLost = payload == topic::kLost;
    if (changed)
        emit statusChanged();
    // Only an orderly end closes the session, and only one seen live: a retained "offline" is what an
    // earlier session left, unless it is the end of the session followed, which came while the display
    // was away; the history and the last burst, which the broker sends after it, complete the session
    // first. A lost publisher comes back by itself.
    if (payload == topic::kOffline && !message.retained)
        emit closed();
    else if (payload == topic::kOffline && m_sequencer.following(sequence->instance))
        m_endedWhileAway = sequence->instance;
}

// Each message is one line (a burst, several); one without its LF gets it, so that lines never run
// together. The device frames them like bytes from any other channel.
void MqttFeedChannel::deliver(QByteArray payload)
{
    if (!payload.endsWith('\n'))
        payload += '\n';
    emit bytesReceived(payload);
}

} // namespace kav
