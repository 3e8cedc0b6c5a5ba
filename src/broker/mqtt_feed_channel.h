#pragma once

#include <QObject>

#include "broker_connection_settings.h"
#include "communication.h"
#include "feed_sequencer.h"
#include "mqtt_client.h"

namespace kav {

// The feed taken from an MQTT broker instead of the timing computer: subscribes to the "burst",
// "feed" and "status" topics under the prefix and hands every line to the device exactly as the TCP
// channel would. A subscriber that joins late gets the retained state burst first; a line it has
// already seen is skipped, a gap is mended by the next burst. The broker keeps its session across an
// outage, and the connection is retried with growing pauses. The publisher ending its session counts
// as the far end closing; the first try failing counts as a failed connection.
class MqttFeedChannel : public Communication {
    Q_OBJECT
public:
    explicit MqttFeedChannel(MqttFeedSettings settings, QObject* parent = nullptr);
    ~MqttFeedChannel() override;

    void send(const QByteArray& text) override;
    void open() override;
    void close() override;
    bool isOpen() const override { return m_open; }

    const BrokerStatus& brokerStatus() const { return m_client.status(); }
    const FeedSequencer& sequencer() const { return m_sequencer; }
    bool publisherOnline() const { return m_publisherOnline; }
    // "Feed from ...", or what keeps the feed away.
    QString statusText() const;

signals:
    void statusChanged();

private:
    void handleConnected(bool sessionPresent);
    void handleMessage(const MqttMessage& message);
    void handleStatus(const QByteArray& payload);
    void deliver(QByteArray payload);

    MqttFeedSettings m_settings;
    MqttClient m_client;
    FeedSequencer m_sequencer;
    QString m_problem; // settings that cannot be used
    bool m_open = false;
    bool m_everConnected = false;
    bool m_publisherOnline = false;
    bool m_publisherLost = false;
};

} // namespace kav
