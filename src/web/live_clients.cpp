#include "live_clients.h"

#include <QDateTime>
#include <QPointer>
#include <QWebSocket>

#include <algorithm>

namespace kav {
namespace {

// Pages send nothing; a larger message from one is a fault and closes its connection.
constexpr quint64 kMaxIncomingBytes = 1024;

} // namespace

LiveClients::LiveClients(const WebLimits& limits, QObject* parent) : QObject(parent), m_limits(limits)
{
    m_clock.start();
    m_keepAliveTimer.setInterval(limits.heartbeat / 2);
    connect(&m_keepAliveTimer, &QTimer::timeout, this, &LiveClients::keepAlive);
    m_keepAliveTimer.start();
}

LiveClients::~LiveClients()
{
    for (Client& client : m_clients)
        client.socket->disconnect(this);
}

void LiveClients::add(std::unique_ptr<QWebSocket> socket, const QByteArray& snapshot)
{
    QWebSocket* raw = socket.get();
    raw->setMaxAllowedIncomingFrameSize(kMaxIncomingBytes);
    raw->setMaxAllowedIncomingMessageSize(kMaxIncomingBytes);
    // A client can vanish while an update is written to all of them (its write fails): it is dropped
    // after that round, never in the middle of it.
    connect(
        raw, &QWebSocket::disconnected, this,
        [this, gone = QPointer<QWebSocket>(raw)] {
            if (gone)
                drop(gone);
        },
        Qt::QueuedConnection);
    connect(raw, &QWebSocket::pong, this, [this, raw] {
        const auto found = std::find_if(m_clients.begin(), m_clients.end(),
                                        [raw](const Client& client) { return client.socket.get() == raw; });
        if (found != m_clients.end())
            found->lastPong = now();
    });
    const QHostAddress address = raw->peerAddress();
    m_clients.push_back({std::move(socket), address, now(), now()});
    if (!send(m_clients.back(), QString::fromUtf8(snapshot), snapshot.size()))
        drop(raw);
}

int LiveClients::count(const QHostAddress& from) const
{
    if (from.isNull())
        return count();
    return static_cast<int>(std::count_if(m_clients.begin(), m_clients.end(),
                                          [&](const Client& client) { return client.address == from; }));
}

void LiveClients::broadcast(const QByteArray& message)
{
    const QString text = QString::fromUtf8(message);
    std::vector<QWebSocket*> stalled;
    for (Client& client : m_clients) {
        if (!send(client, text, message.size()))
            stalled.push_back(client.socket.get());
    }
    for (QWebSocket* socket : stalled)
        drop(socket);
}

bool LiveClients::send(Client& client, const QString& text, qint64 bytes)
{
    if (client.socket->bytesToWrite() + bytes > m_limits.maxSendQueueBytes)
        return false;
    client.socket->sendTextMessage(text);
    client.socket->flush(); // out now, not after the other clients' turn in the event loop
    client.lastSent = now();
    return true;
}

void LiveClients::drop(QWebSocket* socket)
{
    const auto found = std::find_if(m_clients.begin(), m_clients.end(),
                                    [socket](const Client& client) { return client.socket.get() == socket; });
    if (found == m_clients.end())
        return;
    QWebSocket* released = found->socket.release();
    m_clients.erase(found);
    released->disconnect(this);
    released->abort();
    released->deleteLater();
}

void LiveClients::keepAlive()
{
    const qint64 time = now();
    const bool pingDue = time - m_lastPing >= m_limits.pongTimeout.count() / 3;
    if (pingDue)
        m_lastPing = time;
    const QString alive = QStringLiteral(R"({"type":"alive","time":%1})").arg(QDateTime::currentMSecsSinceEpoch());
    std::vector<QWebSocket*> gone;
    for (Client& client : m_clients) {
        if (time - client.lastPong > m_limits.pongTimeout.count()) {
            gone.push_back(client.socket.get());
            continue;
        }
        if (pingDue)
            client.socket->ping();
        if (time - client.lastSent >= m_limits.heartbeat.count() && !send(client, alive, alive.size()))
            gone.push_back(client.socket.get());
    }
    for (QWebSocket* socket : gone)
        drop(socket);
}

} // namespace kav
