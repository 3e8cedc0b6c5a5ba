#include "connection_guard.h"

#include <QTcpSocket>

#include <algorithm>

namespace kav {
namespace {

// A refused connection that does not take its answer is cut off after this long.
constexpr qint64 kClosingGraceMs = 2000;

QByteArray reasonPhrase(int status)
{
    switch (status) {
    case 400: return "Bad Request";
    case 405: return "Method Not Allowed";
    case 414: return "URI Too Long";
    case 429: return "Too Many Requests";
    case 431: return "Request Header Fields Too Large";
    default: return "Service Unavailable";
    }
}

std::chrono::milliseconds sweepInterval(const WebLimits& limits)
{
    using std::chrono::milliseconds;
    return std::clamp(limits.idleTimeout / 4, milliseconds(20), milliseconds(1000));
}

} // namespace

ConnectionGuard::ConnectionGuard(const WebLimits& limits, QObject* parent) : QTcpServer(parent), m_limits(limits)
{
    // All pages reconnect at once when the program is back: none must wait for a second SYN.
    setListenBacklogSize(limits.maxClients + 56);
    setMaxPendingConnections(limits.maxClients);
    m_clock.start();
    m_sweepTimer.setInterval(sweepInterval(limits));
    connect(&m_sweepTimer, &QTimer::timeout, this, &ConnectionGuard::sweep);
    m_sweepTimer.start();
}

ConnectionGuard::~ConnectionGuard() = default;

int ConnectionGuard::connectionCount() const
{
    const auto open = std::count_if(m_connections.begin(), m_connections.end(), [](const auto& connection) {
        return connection->socket && connection->closingSince < 0 &&
               connection->socket->state() != QAbstractSocket::UnconnectedState;
    });
    return static_cast<int>(open) + m_handedOver();
}

QTcpSocket* ConnectionGuard::release(const QHostAddress& peer, quint16 peerPort)
{
    const auto found = std::find_if(m_connections.begin(), m_connections.end(), [&](const auto& connection) {
        return connection->socket && connection->socket->peerPort() == peerPort &&
               connection->socket->peerAddress() == peer;
    });
    if (found == m_connections.end())
        return nullptr;
    QTcpSocket* socket = (*found)->socket;
    m_connections.erase(found);
    socket->disconnect(this);
    socket->setParent(nullptr);
    return socket;
}

void ConnectionGuard::incomingConnection(qintptr handle)
{
    forgetClosed();
    auto* socket = new QTcpSocket(this);
    if (!socket->setSocketDescriptor(handle)) {
        socket->deleteLater();
        return;
    }
    if (connectionCount() >= m_limits.maxClients) {
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        QTimer::singleShot(kClosingGraceMs, socket, &QTcpSocket::abort);
        refuse(*socket, 503, "Retry-After: 5\r\n");
        return;
    }
    auto connection = std::make_unique<Connection>(m_limits);
    connection->socket = socket;
    connection->lastActivity = now();
    watch(*connection);
    m_connections.push_back(std::move(connection));
    // The HTTP server takes the socket from here; its handlers run after the guard's.
    addPendingConnection(socket);
}

void ConnectionGuard::watch(Connection& connection)
{
    QTcpSocket* socket = connection.socket;
    connect(socket, &QTcpSocket::readyRead, this, [this, &connection] { checkRequests(connection); });
    connect(socket, &QTcpSocket::bytesWritten, this, [this, &connection] { connection.lastActivity = now(); });
}

// Sees the new bytes before the server reads them; a faulty request is answered here and drained, so
// that the server never parses it.
void ConnectionGuard::checkRequests(Connection& connection)
{
    QTcpSocket& socket = *connection.socket;
    connection.lastActivity = now();
    // The bytes of a WebSocket belong to it alone.
    if (connection.upgraded)
        return;
    if (connection.closingSince >= 0) {
        socket.read(socket.bytesAvailable());
        return;
    }
    using Verdict = RequestHeadReader::Verdict;
    switch (connection.reader.read(socket.peek(socket.bytesAvailable()))) {
    case Verdict::NeedMore: return;
    case Verdict::Upgrade: connection.upgraded = true; return;
    case Verdict::BadRequest: refuse(socket, 400); break;
    case Verdict::MethodNotAllowed: refuse(socket, 405, "Allow: GET\r\n"); break;
    case Verdict::TargetTooLong: refuse(socket, 414); break;
    case Verdict::HeadTooLarge: refuse(socket, 431); break;
    case Verdict::TooMany: refuse(socket, 429); break;
    }
    connection.closingSince = now();
    socket.read(socket.bytesAvailable());
}

void ConnectionGuard::refuse(QTcpSocket& socket, int status, const QByteArray& extraHeaders)
{
    const QByteArray body = QByteArray::number(status) + ' ' + reasonPhrase(status) + '\n';
    socket.write("HTTP/1.1 " + QByteArray::number(status) + ' ' + reasonPhrase(status) +
                 "\r\nContent-Type: text/plain; charset=utf-8\r\nContent-Length: " + QByteArray::number(body.size()) +
                 "\r\nConnection: close\r\n" + extraHeaders + "\r\n" + body);
    socket.disconnectFromHost();
}

// Closes idle or backed-up HTTP connections and refused ones that linger, and cuts sockets the server
// has stopped serving (it leaves a socket open after a parse error it cannot answer).
void ConnectionGuard::sweep()
{
    const qint64 time = now();
    for (const auto& connection : m_connections) {
        QTcpSocket* socket = connection->socket;
        if (!socket || connection->upgraded)
            continue;
        const bool idle = time - connection->lastActivity > m_limits.idleTimeout.count();
        // A client that sends requests but never reads the answers is not served for ever.
        const bool backedUp = socket->bytesToWrite() > m_limits.maxSendQueueBytes;
        const bool lingering = connection->closingSince >= 0 && time - connection->closingSince > kClosingGraceMs;
        if (idle || backedUp || lingering || socket->state() == QAbstractSocket::UnconnectedState) {
            socket->abort();
            socket->deleteLater();
        }
    }
    forgetClosed();
}

void ConnectionGuard::forgetClosed()
{
    std::erase_if(m_connections, [](const auto& connection) { return connection->socket.isNull(); });
}

} // namespace kav
