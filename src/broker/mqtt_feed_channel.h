#pragma once

#include <QObject>
#include <QString>

#include <cstdint>
#include <optional>

#include "broker_connection_settings.h"
#include "communication.h"
#include "feed_sequencer.h"
#include "mqtt_client.h"
#include "session_follower.h"

namespace kav {

// What a display could not take from the broker.
struct FeedLosses {
    std::uint64_t linesMissed = 0; // lines of the publisher that never arrived (gaps in its numbers)
    std::uint64_t tooLarge = 0;    // messages above their bound, dropped
    std::uint64_t malformed = 0;   // messages without a valid line number or with an unknown status, dropped
    std::uint64_t total() const { return linesMissed + tooLarge + malformed; }
    // "3 lines missed, 1 message too large, 2 malformed messages"; the non-zero parts only.
    QString text() const;
    bool operator==(const FeedLosses&) const = default;
};

// The feed taken from an MQTT broker instead of the timing computer: subscribes to the "status",
// "burst" and "feed" topics under the prefix and hands every line to the device exactly as the TCP
// channel would. Of the publisher sessions there (a wildcard prefix, retained values of earlier runs)
// it follows one, the newest live one. A subscriber that joins late gets the publisher's history
// first, every line from the session's first, and a gap is filled from the next history chunk; where
// the history does not reach, the retained state burst stands in. A line already seen is skipped. The broker keeps its
// session across an outage, and the connection is retried with growing pauses. The publisher ending its session counts
// as the far end closing; the first try failing counts as a failed connection. What comes from the
// broker is not trusted: messages above their bound or without a valid line number are dropped and
// counted, and the broker is told to send nothing above kMaxPacketBytes at all.
class MqttFeedChannel : public Communication {
    Q_OBJECT
public:
    static constexpr qsizetype kMaxLineBytes = 64 * 1024;        // the feed's own line guard
    static constexpr qsizetype kMaxBurstBytes = 4 * 1024 * 1024; // the whole state of a large race is ~100 KB
    static constexpr std::uint32_t kMaxPacketBytes = kMaxBurstBytes + 64 * 1024;

    explicit MqttFeedChannel(MqttFeedSettings settings, QObject* parent = nullptr);
    ~MqttFeedChannel() override;

    void send(const QByteArray& text) override;
    void open() override;
    void close() override;
    bool isOpen() const override { return m_open; }

    const BrokerStatus& brokerStatus() const { return m_client.status(); }
    const FeedSequencer& sequencer() const { return m_sequencer; }
    bool publisherOnline() const { return m_publisherOnline; }
    FeedLosses losses() const;
    // "Feed from ...", or what keeps the feed away.
    QString statusText() const;

signals:
    void statusChanged();
    void lossesChanged();

private:
    void handleConnected(bool sessionPresent);
    void handleMessage(const MqttMessage& message);
    void takeLine(const MqttMessage& message);
    void takeBurst(const MqttMessage& message);
    void takeHistory(const MqttMessage& message);
    std::optional<FeedSequence> snapshotSequence(const MqttMessage& message);
    void handleStatus(const MqttMessage& message);
    void drop(std::uint64_t& counter);
    void deliverInOrder(const QByteArray& session, const QList<QByteArray>& messages);
    void deliver(QByteArray payload);

    MqttFeedSettings m_settings;
    MqttClient m_client;
    FeedSequencer m_sequencer;
    SessionFollower m_sessions;
    std::uint64_t m_reportedMissed = 0;
    FeedLosses m_dropped; // the messages dropped here; the sequencer counts the lines missed
    QString m_problem;    // settings that cannot be used
    bool m_open = false;
    bool m_everConnected = false;
    bool m_publisherOnline = false;
    bool m_publisherLost = false;
    QByteArray m_delivered;      // the session whose lines were handed on last
    QByteArray m_endedWhileAway; // the session followed, found ended: it ends once its last burst is in
};

} // namespace kav
