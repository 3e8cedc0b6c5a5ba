#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QTimer>

#include <chrono>
#include <memory>
#include <vector>

#include "broker_connection_settings.h"
#include "broker_status.h"

class QSocketNotifier;
struct mosquitto;
struct mosquitto_message;
struct mqtt5__property;

namespace kav {

struct ConnectAttempt;

// A message as it came from the broker.
struct MqttMessage {
    QByteArray topic;
    QByteArray payload;
    bool retained = false; // sent because of a subscription just made, not live
    QByteArray sequence;   // the publisher's "seq" property; empty when it sent none
};

// What a client asks of the broker each time it connects.
struct MqttSession {
    BrokerConnectionSettings connection; // already checked
    QString clientId;                    // never empty
    bool keepSession = false;            // the broker keeps subscriptions and queued messages across outages
    QByteArray willTopic;                // published by the broker (retained) when the connection dies; empty: none
    QByteArray willPayload;
    QByteArray willSequence;             // the will's "seq" property; empty: none
    std::uint32_t maximumPacketSize = 0; // bytes; the broker sends nothing larger (0: no limit)
};

// A client id made of the program, the role, the machine and the process, so that two programs never
// take each other's place at the broker.
QString defaultClientId(const char* role);

// One MQTT 5 connection run by libmosquitto inside the Qt event loop: socket notifiers drive its reads
// and writes and a timer its keep-alive. Connecting (name lookup, TCP, TLS) happens on a short-lived
// worker thread, so a host that does not answer never stalls the display. A connection that fails or
// breaks is tried again after a pause that doubles up to kLongestRetryDelay; every change is reported
// through statusChanged. Messages go out with QoS 1.
class MqttClient : public QObject {
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds kFirstRetryDelay{500};
    static constexpr std::chrono::milliseconds kLongestRetryDelay{30000};
    static constexpr std::chrono::milliseconds kMiscInterval{250};
    static constexpr std::chrono::milliseconds kAnswerTimeout{10000};
    // A kept session outlives an outage or a broker restart, but not a display that went away for good;
    // one that says goodbye ends its session at once.
    static constexpr std::uint32_t kSessionExpirySeconds = 60;

    explicit MqttClient(QObject* parent = nullptr);
    ~MqttClient() override;
    MqttClient(const MqttClient&) = delete;
    MqttClient& operator=(const MqttClient&) = delete;

    // Connects, and keeps connecting, until stop; a running connection is replaced.
    void start(const MqttSession& session);
    // Says goodbye to the broker (no will is published) and stops retrying.
    void stop();
    bool isConnected() const { return m_connected; }
    const BrokerStatus& status() const { return m_status; }

    // Hands a QoS 1 message to the connection; its id, or 0 when there is no connection.
    int publish(const QByteArray& topic, const QByteArray& payload, bool retain, const QByteArray& sequence = {});
    // Subscribes with QoS 1; false without a connection.
    bool subscribe(const QList<QByteArray>& topics);

signals:
    void connected(bool sessionPresent);
    // A connection that had been accepted is gone.
    void disconnected();
    // A try to connect failed: no broker reached, or the broker refused the login.
    void attemptFailed(const QString& problem);
    void messageReceived(const kav::MqttMessage& message);
    // The broker took (accepted true) or turned down a published message.
    void acknowledged(int messageId, bool accepted);
    void statusChanged(const kav::BrokerStatus& status);

private:
    struct Event;

    void beginAttempt();
    mosquitto* makeHandle(QString& problem);
    void finishAttempt(const std::shared_ptr<ConnectAttempt>& attempt);
    void watchSocket();
    void runLibrary(int (*step)(mosquitto*));
    void updateWriteNotifier();
    void deliverEvents();
    void dropConnection(const QString& problem);
    void abandonAttempt();
    void destroyHandle();
    void scheduleRetry(const QString& problem);
    void setStatus(BrokerStatus::State state, const QString& problem = {}, int retrySeconds = 0);

    static void onConnect(mosquitto*, void* self, int reason, int flags, const mqtt5__property*);
    static void onDisconnect(mosquitto*, void* self, int reason, const mqtt5__property*);
    static void onMessage(mosquitto*, void* self, const mosquitto_message* message, const mqtt5__property* properties);
    static void onPublish(mosquitto*, void* self, int messageId, int reason, const mqtt5__property*);

    MqttSession m_session;
    mosquitto* m_handle = nullptr;
    std::shared_ptr<ConnectAttempt> m_attempt;
    std::unique_ptr<QSocketNotifier> m_readNotifier;
    std::unique_ptr<QSocketNotifier> m_writeNotifier;
    QTimer m_miscTimer;
    QTimer m_retryTimer;
    QTimer m_answerTimer;
    std::chrono::milliseconds m_retryDelay = kFirstRetryDelay;
    BrokerStatus m_status;
    std::vector<Event> m_events; // what the library reported during one call, delivered after it
    bool m_running = false;
    bool m_connected = false;
};

} // namespace kav
