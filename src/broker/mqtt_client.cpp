#include "mqtt_client.h"

#include "mosquitto_calls.h"

#include <QCoreApplication>
#include <QPointer>
#include <QRandomGenerator>
#include <QSocketNotifier>
#include <QSysInfo>

#include <mosquitto.h>
#include <mqtt_protocol.h>

#include <cerrno>
#include <cstring>
#include <mutex>
#include <thread>

namespace kav {

namespace {

constexpr int kSessionPresentFlag = 1;
constexpr QStringView kSystemCertificates = u"/etc/ssl/certs";

} // namespace

// What the library reported from inside one of its calls; handed on once the call has returned, so
// that no listener can pull the connection away beneath the library.
struct MqttClient::Event {
    enum class Kind { Accepted, Refused, Lost, Acknowledged, Message };

    Kind kind;
    bool flag = false; // the session was present; the message was accepted
    int messageId = 0;
    QString problem;
    MqttMessage message;
};

QString defaultClientId(const char* role)
{
    return QStringLiteral("kavendor-%1-%2-%3")
        .arg(QString::fromLatin1(role), QSysInfo::machineHostName())
        .arg(QCoreApplication::applicationPid());
}

MqttClient::MqttClient(QObject* parent) : QObject(parent)
{
    initLibraryOnce();
    m_retryTimer.setSingleShot(true);
    m_answerTimer.setSingleShot(true);
    m_miscTimer.setInterval(kMiscInterval);
    connect(&m_retryTimer, &QTimer::timeout, this, &MqttClient::beginAttempt);
    connect(&m_miscTimer, &QTimer::timeout, this, [this] { runLibrary(mosquitto_loop_misc); });
    connect(&m_answerTimer, &QTimer::timeout, this,
            [this] { dropConnection(QStringLiteral("the broker did not answer")); });
}

// Nothing is reported from here: listeners may already be half gone.
MqttClient::~MqttClient()
{
    blockSignals(true);
    stop();
}

void MqttClient::start(const MqttSession& session)
{
    stop();
    m_session = session;
    m_running = true;
    m_retryDelay = kFirstRetryDelay;
    beginAttempt();
}

void MqttClient::stop()
{
    m_running = false;
    m_retryTimer.stop();
    abandonAttempt();
    if (m_handle && m_connected) {
        mosquitto_property* properties = nullptr;
        if (m_session.keepSession)
            mosquitto_property_add_int32(&properties, MQTT_PROP_SESSION_EXPIRY_INTERVAL, 0);
        mosquitto_disconnect_v5(m_handle, MQTT_RC_NORMAL_DISCONNECTION, properties);
        mosquitto_property_free_all(&properties);
    }
    const bool wasConnected = m_connected;
    destroyHandle();
    m_events.clear();
    setStatus(BrokerStatus::State::Off);
    if (wasConnected)
        emit disconnected();
}

int MqttClient::publish(const QByteArray& topic, const QByteArray& payload, bool retain, const QByteArray& sequence)
{
    if (!m_connected)
        return 0;
    mosquitto_property* properties = nullptr;
    if (!sequence.isEmpty())
        mosquitto_property_add_string_pair(&properties, MQTT_PROP_USER_PROPERTY, kSequenceProperty,
                                           sequence.constData());
    int messageId = 0;
    const int result = mosquitto_publish_v5(m_handle, &messageId, topic.constData(), static_cast<int>(payload.size()),
                                            payload.constData(), 1, retain, properties);
    mosquitto_property_free_all(&properties);
    updateWriteNotifier();
    if (result == MOSQ_ERR_SUCCESS)
        return messageId;
    // A failed write shows on the next read as a lost connection; anything else concerns this message only.
    return 0;
}

bool MqttClient::subscribe(const QList<QByteArray>& topics)
{
    if (!m_connected || topics.isEmpty())
        return false;
    std::vector<char*> names;
    for (const QByteArray& topic : topics)
        names.push_back(const_cast<char*>(topic.constData()));
    const int result =
        mosquitto_subscribe_multiple(m_handle, nullptr, static_cast<int>(names.size()), names.data(), 1, 0, nullptr);
    updateWriteNotifier();
    return result == MOSQ_ERR_SUCCESS;
}

void MqttClient::beginAttempt()
{
    if (!m_running)
        return;
    setStatus(BrokerStatus::State::Connecting);
    QString problem;
    mosquitto* handle = makeHandle(problem);
    if (!handle) {
        scheduleRetry(problem);
        return;
    }
    auto attempt = std::make_shared<ConnectAttempt>();
    attempt->handle = handle;
    attempt->host = m_session.connection.host.trimmed().toUtf8();
    attempt->port = m_session.connection.port;
    attempt->keepAlive = m_session.connection.keepAliveSeconds;
    if (m_session.keepSession)
        mosquitto_property_add_int32(&attempt->properties, MQTT_PROP_SESSION_EXPIRY_INTERVAL, kSessionExpirySeconds);
    if (m_session.maximumPacketSize > 0)
        mosquitto_property_add_int32(&attempt->properties, MQTT_PROP_MAXIMUM_PACKET_SIZE, m_session.maximumPacketSize);
    m_attempt = attempt;
    std::thread([attempt, this] { runAttempt(attempt, this, [this, attempt] { finishAttempt(attempt); }); }).detach();
}

// A fresh handle for every try: nothing of a broken connection is carried over, and the publisher
// keeps what still has to be sent itself.
mosquitto* MqttClient::makeHandle(QString& problem)
{
    const BrokerConnectionSettings& connection = m_session.connection;
    mosquitto* handle = mosquitto_new(m_session.clientId.toUtf8().constData(), !m_session.keepSession, this);
    if (!handle) {
        problem = QStringLiteral("the MQTT client cannot be made (client id \"%1\")").arg(m_session.clientId);
        return nullptr;
    }
    mosquitto_int_option(handle, MOSQ_OPT_PROTOCOL_VERSION, MQTT_PROTOCOL_V5);
    int result = MOSQ_ERR_SUCCESS;
    if (!connection.userName.isEmpty())
        result = mosquitto_username_pw_set(handle, connection.userName.toUtf8().constData(),
                                           connection.password.isEmpty() ? nullptr
                                                                         : connection.password.toUtf8().constData());
    if (result == MOSQ_ERR_SUCCESS && connection.useTls) {
        const QByteArray caFile = connection.caFile.toLocal8Bit();
        const QByteArray caPath = kSystemCertificates.toLocal8Bit();
        result = mosquitto_tls_set(handle, caFile.isEmpty() ? nullptr : caFile.constData(),
                                   caFile.isEmpty() ? caPath.constData() : nullptr, nullptr, nullptr, nullptr);
    }
    if (result == MOSQ_ERR_SUCCESS && !m_session.willTopic.isEmpty()) {
        mosquitto_property* properties = nullptr;
        if (!m_session.willSequence.isEmpty())
            mosquitto_property_add_string_pair(&properties, MQTT_PROP_USER_PROPERTY, kSequenceProperty,
                                               m_session.willSequence.constData());
        result = mosquitto_will_set_v5(handle, m_session.willTopic.constData(),
                                       static_cast<int>(m_session.willPayload.size()),
                                       m_session.willPayload.constData(), 1, true, properties);
        if (result != MOSQ_ERR_SUCCESS) // on success the library owns the properties
            mosquitto_property_free_all(&properties);
    }
    if (result != MOSQ_ERR_SUCCESS) {
        problem = QString::fromUtf8(mosquitto_strerror(result));
        mosquitto_destroy(handle);
        return nullptr;
    }
    return handle;
}

void MqttClient::finishAttempt(const std::shared_ptr<ConnectAttempt>& attempt)
{
    if (attempt != m_attempt)
        return; // given up meanwhile; its handle is already gone
    m_attempt.reset();
    m_handle = std::exchange(attempt->handle, nullptr);
    if (attempt->result != MOSQ_ERR_SUCCESS) {
        const QString problem = attemptProblem(attempt->result, attempt->systemError);
        destroyHandle();
        scheduleRetry(problem);
        emit attemptFailed(problem);
        return;
    }
    mosquitto_connect_v5_callback_set(m_handle, &MqttClient::onConnect);
    mosquitto_disconnect_v5_callback_set(m_handle, &MqttClient::onDisconnect);
    mosquitto_message_v5_callback_set(m_handle, &MqttClient::onMessage);
    mosquitto_publish_v5_callback_set(m_handle, &MqttClient::onPublish);
    watchSocket();
    m_answerTimer.start(kAnswerTimeout);
}

void MqttClient::watchSocket()
{
    const int socket = mosquitto_socket(m_handle);
    m_readNotifier = std::make_unique<QSocketNotifier>(socket, QSocketNotifier::Read);
    m_writeNotifier = std::make_unique<QSocketNotifier>(socket, QSocketNotifier::Write);
    connect(m_readNotifier.get(), &QSocketNotifier::activated, this, [this] { runLibrary(&readAvailable); });
    connect(m_writeNotifier.get(), &QSocketNotifier::activated, this,
            [this] { runLibrary([](mosquitto* handle) { return mosquitto_loop_write(handle, 1); }); });
    m_miscTimer.start();
    updateWriteNotifier();
}

// One step of the library, then what it reported. An error means the library has closed the socket.
void MqttClient::runLibrary(int (*step)(mosquitto*))
{
    if (!m_handle)
        return;
    const int result = step(m_handle);
    if (result != MOSQ_ERR_SUCCESS)
        m_events.push_back({Event::Kind::Lost, false, 0, QString::fromUtf8(mosquitto_strerror(result)), {}});
    updateWriteNotifier();
    deliverEvents();
}

void MqttClient::updateWriteNotifier()
{
    if (m_writeNotifier && m_handle)
        m_writeNotifier->setEnabled(mosquitto_want_write(m_handle));
}

void MqttClient::deliverEvents()
{
    std::vector<Event> events;
    events.swap(m_events);
    const QPointer<MqttClient> alive(this);
    for (Event& event : events) {
        if (!alive || !m_handle)
            return;
        switch (event.kind) {
        case Event::Kind::Accepted:
            m_answerTimer.stop();
            m_connected = true;
            m_retryDelay = kFirstRetryDelay;
            setStatus(BrokerStatus::State::Connected);
            emit connected(event.flag);
            break;
        case Event::Kind::Refused:
            destroyHandle();
            scheduleRetry(event.problem);
            emit attemptFailed(event.problem);
            break;
        case Event::Kind::Lost: dropConnection(event.problem); break;
        case Event::Kind::Acknowledged: emit acknowledged(event.messageId, event.flag); break;
        case Event::Kind::Message: emit messageReceived(event.message); break;
        }
    }
}

void MqttClient::dropConnection(const QString& problem)
{
    const bool wasConnected = m_connected;
    destroyHandle();
    scheduleRetry(problem);
    if (wasConnected)
        emit disconnected();
    else
        emit attemptFailed(problem);
}

void MqttClient::abandonAttempt()
{
    if (!m_attempt)
        return;
    const std::lock_guard lock(m_attempt->mutex);
    if (m_attempt->done) {
        mosquitto_destroy(m_attempt->handle);
        m_attempt->handle = nullptr;
    } else {
        m_attempt->abandoned = true;
    }
    m_attempt.reset();
}

// The notifiers may be the very ones whose signal is running: they are silenced now and freed later.
void MqttClient::destroyHandle()
{
    for (auto* notifier : {&m_readNotifier, &m_writeNotifier}) {
        if (*notifier) {
            (*notifier)->setEnabled(false);
            (*notifier)->disconnect(this);
            notifier->release()->deleteLater();
        }
    }
    m_miscTimer.stop();
    m_answerTimer.stop();
    if (m_handle)
        mosquitto_destroy(m_handle);
    m_handle = nullptr;
    m_connected = false;
}

void MqttClient::scheduleRetry(const QString& problem)
{
    if (!m_running)
        return;
    const auto delay = m_retryDelay;
    // A little randomness keeps a crowd of displays from returning to a restarted broker all at once.
    const auto jitter = std::chrono::milliseconds(QRandomGenerator::global()->bounded(qint64{delay.count() / 4 + 1}));
    m_retryTimer.start(delay + jitter);
    m_retryDelay = std::min(delay * 2, kLongestRetryDelay);
    const int seconds = static_cast<int>((delay + jitter + std::chrono::milliseconds(999)) / std::chrono::seconds(1));
    setStatus(BrokerStatus::State::Retrying, problem, seconds);
}

void MqttClient::setStatus(BrokerStatus::State state, const QString& problem, int retrySeconds)
{
    BrokerStatus status;
    status.state = state;
    status.address = QStringLiteral("%1:%2").arg(m_session.connection.host.trimmed()).arg(m_session.connection.port);
    status.problem = problem;
    status.retrySeconds = retrySeconds;
    if (status == m_status)
        return;
    m_status = status;
    emit statusChanged(m_status);
}

void MqttClient::onConnect(mosquitto*, void* self, int reason, int flags, const mosquitto_property*)
{
    auto* client = static_cast<MqttClient*>(self);
    if (reason == 0)
        client->m_events.push_back({Event::Kind::Accepted, (flags & kSessionPresentFlag) != 0, 0, {}, {}});
    else
        client->m_events.push_back(
            {Event::Kind::Refused,
             false,
             0,
             QStringLiteral("login refused: %1").arg(QString::fromUtf8(mosquitto_reason_string(reason))),
             {}});
}

void MqttClient::onDisconnect(mosquitto*, void* self, int reason, const mosquitto_property*)
{
    static_cast<MqttClient*>(self)->m_events.push_back(
        {Event::Kind::Lost, false, 0, QString::fromUtf8(mosquitto_strerror(reason)), {}});
}

void MqttClient::onMessage(mosquitto*, void* self, const mosquitto_message* message,
                           const mosquitto_property* properties)
{
    MqttMessage copy;
    copy.topic = QByteArray(message->topic);
    copy.payload = QByteArray(static_cast<const char*>(message->payload), message->payloadlen);
    copy.retained = message->retain;
    copy.sequence = sequenceOf(properties);
    static_cast<MqttClient*>(self)->m_events.push_back({Event::Kind::Message, false, 0, {}, std::move(copy)});
}

void MqttClient::onPublish(mosquitto*, void* self, int messageId, int reason, const mosquitto_property*)
{
    static_cast<MqttClient*>(self)->m_events.push_back({Event::Kind::Acknowledged, reason < 0x80, messageId, {}, {}});
}

} // namespace kav
