#pragma once

#include <QByteArray>
#include <QDeadlineTimer>
#include <QObject>
#include <QSet>
#include <QString>
#include <QTimer>

#include <chrono>
#include <map>

#include "broker_connection_settings.h"
#include "feed_history.h"
#include "line_outbox.h"
#include "mqtt_client.h"

namespace kav {

// Publishes what the program receives and shows to an MQTT broker under one topic prefix: every
// received line on "feed" (QoS 1, in order, each with its sequence number), and retained values that
// scoreboards and late subscribers read: the state burst, the state document, flag, run and info, and
// "status": online, offline once the program ends its session, lost (the broker's will, held by a
// second connection that only stands for the publisher) when its connections die. Every line sent also goes into the
// retained history chunks, the last one with each state burst, so that a display can take exactly the lines it missed.
// Race events go on "events" (QoS 1, not retained). Lines and events each wait in a bounded outbox while the broker is
// away; retained values are sent at most every kRetainedInterval, the latest one winning, and only after every line
// they cover.
class FeedPublisher : public QObject {
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds kRetainedInterval{250};
    static constexpr int kBatchSize = 200; // lines handed over per turn of the event loop
    // While lines flow, a burst goes out at least this often even when the state it holds is unchanged,
    // so that a display waiting to mend a gap gets one that covers it.
    static constexpr std::chrono::milliseconds kBurstRepeatInterval{2000};

    // What finish could not hand over to the broker.
    struct FinishReport {
        std::uint64_t linesPublished = 0;
        std::uint64_t linesNotDelivered = 0; // not acknowledged, refused by the broker, or dropped while waiting
        std::uint64_t eventsPublished = 0;
        std::uint64_t eventsNotDelivered = 0; // counted like the lines
        bool retainedDelivered = true;
        QString problem; // the broker connection's last problem, if any
        bool complete() const { return linesNotDelivered == 0 && eventsNotDelivered == 0 && retainedDelivered; }
    };

    explicit FeedPublisher(QObject* parent = nullptr);
    ~FeedPublisher() override;

    // Starts, or restarts, publishing through this broker; the client id is made when empty.
    void start(const BrokerConnectionSettings& connection);
    // Stops at once; what is still owed is dropped.
    void stop();
    // Sends what is still owed, says offline and disconnects, waiting at most timeout for the broker;
    // without a connection it stops at once. With waitForBroker it also waits for a connection, and the
    // timeout counts from the broker's last acknowledgement.
    FinishReport finish(std::chrono::milliseconds timeout, bool waitForBroker = false);
    bool isRunning() const { return m_running; }

    // A new prefix clears the retained values under the old one and publishes them under the new one,
    // on the same connection; the will moves to the new prefix at once.
    void setTopicPrefix(const QString& prefix);
    const QString& topicPrefix() const { return m_prefix; }

    // A received line, byte for byte; never waits for the broker.
    void publishLine(const QByteArray& line);
    // A line that goes only into the history: displays take it from there, not as news on "feed".
    void recordLine(const QByteArray& line);
    // Starts a new session on the same connection: the state the lines build starts again from
    // nothing (a replay that seeks), and displays that follow start again with it.
    void startNewSession();
    // A race event as its JSON object, numbered seq; never waits for the broker.
    void publishEvent(const QByteArray& event, std::uint64_t seq);
    // A small retained value under the prefix, such as topic::kFlag.
    void setRetained(const char* name, const QByteArray& value);
    // The state burst, covering the lines up to coveredSequence.
    void setBurst(const QByteArray& lines, std::uint64_t coveredSequence);
    // The sequence number of the last line given to publishLine.
    std::uint64_t lastSequence() const { return m_outbox.lastSequence(); }

    // The lines, and the events, that may wait for the broker, from the next start on; the oldest beyond
    // are dropped.
    void setOutboxCapacity(std::size_t capacity) { m_outboxCapacity = capacity; }
    const LineOutbox& outbox() const { return m_outbox; }
    const FeedHistory& history() const { return m_history; }
    const BrokerStatus& brokerStatus() const { return m_client.status(); }
    // The broker status, and the lines waiting or dropped when there are any.
    QString statusText() const;
    // Another publisher said it is online under the same prefix: its instance; empty when none.
    const QByteArray& rival() const { return m_rival; }

signals:
    void statusChanged();
    // Another publisher is online under this prefix: lines of both would interleave for the displays.
    void rivalFound(const QString& problem);

private:
    struct Retained {
        QByteArray value;
        QByteArray sequence;
        bool dirty = false;
    };

    MqttSession session() const;
    MqttSession presenceSession() const;
    void beginSession();
    void handleConnected();
    void handleAcknowledged(int messageId, bool accepted);
    void handleMessage(const MqttMessage& message);
    FinishReport report() const;
    void sendWaiting();
    bool sendFrom(LineOutbox& outbox, int& budget);
    void flushRetained();
    bool flushHistory();
    void clearRetained(const QString& prefix);
    bool everythingSent() const;

    MqttClient m_client;
    MqttClient m_presence; // holds the broker's will: "lost" under the prefix of the moment
    LineOutbox m_outbox;
    LineOutbox m_eventOutbox;
    FeedHistory m_history;
    int m_historyChunksOnBroker = 0; // under the prefix, this session's or an earlier one's: cleared with it
    std::uint64_t m_eventsPublished = 0;
    std::uint64_t m_refusedEvents = 0;
    std::size_t m_outboxCapacity = LineOutbox::kCapacity;
    std::uint64_t m_refusedLines = 0; // acknowledged with an error, such as an ACL's refusal
    bool m_retainedRefused = false;
    QDeadlineTimer m_burstRepeat;
    QDeadlineTimer m_lastProgress; // while finishing: when to give up waiting for the broker
    std::chrono::milliseconds m_finishTimeout{0};
    BrokerConnectionSettings m_connection;
    QString m_prefix;
    QByteArray m_instance;
    QByteArray m_rival;
    QSet<QByteArray> m_ownInstances; // a restarted publisher's earlier status may still stand
    std::map<QByteArray, Retained> m_retained;
    QSet<int> m_retainedInFlight;
    QStringList m_stalePrefixes; // prefixes whose retained values are cleared at the next connection
    QTimer m_retainedTimer;
    bool m_running = false;
    bool m_finishing = false;
    bool m_sendQueued = false;
};

} // namespace kav
