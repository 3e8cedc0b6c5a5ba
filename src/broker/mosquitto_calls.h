#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <mosquitto.h>

#include <functional>
#include <memory>
#include <mutex>

// The libmosquitto calls of the MQTT client that stand apart from its connection: starting the library,
// the connecting try made on a worker thread, reading a backlog, and the message properties.

namespace kav {

constexpr const char* kSequenceProperty = "seq";

// One try to connect, shared by the worker thread that makes it and the client that waits for it. The
// handle belongs to the worker until it is done; a client that gives up first leaves it to the worker
// to destroy.
struct ConnectAttempt {
    std::mutex mutex;
    mosquitto* handle = nullptr;
    mosquitto_property* properties = nullptr;
    QByteArray host;
    int port = 0;
    int keepAlive = 0;
    int result = MOSQ_ERR_SUCCESS;
    int systemError = 0;
    bool done = false;
    bool abandoned = false;

    ~ConnectAttempt() { mosquitto_property_free_all(&properties); }
};

void initLibraryOnce();
// The reason a connecting try failed, for the operator.
QString attemptProblem(int result, int systemError);
// Makes the try on the calling thread, then hands the report to the client's thread.
void runAttempt(const std::shared_ptr<ConnectAttempt>& attempt, QObject* client, std::function<void()> report);
int readAvailable(mosquitto* handle);
// The "seq" user property of a message; empty when it has none.
QByteArray sequenceOf(const mosquitto_property* properties);

} // namespace kav
