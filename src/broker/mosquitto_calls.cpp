#include "mosquitto_calls.h"

#include <mqtt_protocol.h>

#include <poll.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <mutex>

namespace kav {

namespace {

constexpr int kReadBatch = 200;

bool readable(int socket)
{
    pollfd poll{socket, POLLIN, 0};
    return ::poll(&poll, 1, 0) > 0 && (poll.revents & POLLIN) != 0;
}

} // namespace

void initLibraryOnce()
{
    static std::once_flag once;
    std::call_once(once, [] { mosquitto_lib_init(); });
}

QString attemptProblem(int result, int systemError)
{
    switch (result) {
    case MOSQ_ERR_ERRNO: return QString::fromLocal8Bit(std::strerror(systemError));
    case MOSQ_ERR_EAI: return QStringLiteral("host not found");
    case MOSQ_ERR_TLS: return QStringLiteral("the TLS connection failed (check the CA file and the host name)");
    default: return QString::fromUtf8(mosquitto_strerror(result));
    }
}

void runAttempt(const std::shared_ptr<ConnectAttempt>& attempt, QObject* client, std::function<void()> report)
{
    const int result = mosquitto_connect_bind_v5(attempt->handle, attempt->host.constData(), attempt->port,
                                                 attempt->keepAlive, nullptr, attempt->properties);
    const int systemError = errno;
    const std::lock_guard lock(attempt->mutex);
    attempt->result = result;
    attempt->systemError = systemError;
    attempt->done = true;
    if (attempt->abandoned) {
        mosquitto_destroy(attempt->handle);
        attempt->handle = nullptr;
        return;
    }
    // The client cannot go away while the lock is held: it takes the lock before it gives up.
    QMetaObject::invokeMethod(client, std::move(report), Qt::QueuedConnection);
}

// The library reads one packet per call; a backlog is read in batches, each one turn of the event loop.
int readAvailable(mosquitto* handle)
{
    int result = MOSQ_ERR_SUCCESS;
    for (int packets = 0; packets < kReadBatch && result == MOSQ_ERR_SUCCESS; ++packets) {
        result = mosquitto_loop_read(handle, 1);
        if (!readable(mosquitto_socket(handle)))
            break;
    }
    return result;
}

QByteArray sequenceOf(const mosquitto_property* properties)
{
    QByteArray sequence;
    const mosquitto_property* property = properties;
    for (bool first = true; property && sequence.isEmpty(); first = false) {
        char* name = nullptr;
        char* value = nullptr;
        property = mosquitto_property_read_string_pair(property, MQTT_PROP_USER_PROPERTY, &name, &value, !first);
        if (property && name && std::strcmp(name, kSequenceProperty) == 0)
            sequence = QByteArray(value);
        std::free(name);
        std::free(value);
    }
    return sequence;
}

} // namespace kav
