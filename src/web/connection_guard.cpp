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
    return std::clamp(std::min(limits.idleTimeout, limits.headTimeout) / 4, milliseconds(20), milliseconds(1000));
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
    return openConnections(QHostAddress());
}

// Counted when asked, not kept up to date: the HTTP server cuts every tie of a socket it upgrades.
int ConnectionGuard::openConnections(const QHostAddress& from) const
{
    const auto open = std::count_if(m_connections.begin(), m_connections.end(), [&](const auto& connection) {
        return connection->socket && connection->closingSince < 0 &&
               connection->socket->state() != QAbstractSocket::UnconnectedState &&
               (from.isNull() || connection->address == from);
    });
    return static_cast<int>(open) + m_handedOver(from);
}

QTcpSocket* ConnectionGuard::release(const QHostAddress& peer, quint16 peerPort)
{
    const auto found = std::find_if(m_connections.begin(), m_connections.end(), [&](const auto& connection) {
        return connection->socket && connection->upgradedAt >= 0 && connection->socket->peerPort() == peerPort &&
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

bool ConnectionGuard::closesAfterAnswer(const QTcpSocket* socket)
{
    const auto found = std::find_if(m_connections.begin(), m_connections.end(),
                                    [socket](const auto& connection) { return connection->socket == socket; });
    return found != m_connections.end() && (*found)->reader.takeClosesAfterAnswer();
}

void ConnectionGuard::incomingConnection(qintptr handle)
{
    forgetClosed();
    auto* socket = new QTcpSocket(this);
    if (!socket->setSocketDescriptor(handle)) {
        socket->deleteLater();
        return;
    }
    const QHostAddress address = socket->peerAddress();
    if (!makeRoom(address)) {
        refuseNewcomer(socket);
        return;
    }
    auto connection = std::make_unique<Connection>(m_limits);
    connection->socket = socket;
    connection->address = address;
    connection->lastActivity = connection->headStarted = now();
    watch(*connection);
    m_connections.push_back(std::move(connection));
    // The HTTP server takes the socket from here; its handlers run after the guard's.
    addPendingConnection(socket);
}

// Room for one more connection from the address: within its own cap, and within the limit of all,
// where need be in place of the oldest connection that has not sent a whole request yet.
bool ConnectionGuard::makeRoom(const QHostAddress& address)
{
    if (m_limits.maxPerAddress > 0 && openConnections(address) >= m_limits.maxPerAddress)
        return false;
    if (connectionCount() < m_limits.maxClients)
        return true;
    // The connections are kept in the order they came.
    const auto oldest = std::find_if(m_connections.begin(), m_connections.end(), [](const auto& connection) {
        return connection->socket && connection->socket->state() == QAbstractSocket::ConnectedState &&
               connection->reader.completedHeads() == 0 && connection->closingSince < 0 && connection->upgradedAt < 0;
    });
    if (oldest == m_connections.end())
        return false;
    // Closed, it no longer counts; it is forgotten once deleted.
    (*oldest)->socket->abort();
    (*oldest)->socket->deleteLater();
    return true;
}

void ConnectionGuard::refuseNewcomer(QTcpSocket* socket)
{
    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    QTimer::singleShot(kClosingGraceMs, socket, &QTcpSocket::abort);
    refuse(*socket, 503, "Retry-After: 5\r\n");
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
    // The bytes of a WebSocket belong to it alone.
    if (connection.upgradedAt >= 0)
        return;
    if (connection.closingSince >= 0) {
        socket.read(socket.bytesAvailable());
        return;
    }
    // A client that asks without reading the answers gets no more of them: its requests are drained
    // here, unseen by the server, and the connection is cut once the server is done with this read.
    if (socket.bytesToWrite() > m_limits.maxSendQueueBytes) {
        connection.closingSince = now();
        socket.read(socket.bytesAvailable());
        QMetaObject::invokeMethod(&socket, &QTcpSocket::abort, Qt::QueuedConnection);
        return;
    }
    using Verdict = RequestHeadReader::Verdict;
    const int heads = connection.reader.completedHeads();
    const Verdict verdict = connection.reader.read(socket.peek(socket.bytesAvailable()));
    if (connection.reader.completedHeads() != heads) {
        connection.lastActivity = now();
        connection.headStarted = -1;
    }
    if (connection.headStarted < 0 && connection.reader.inHead())
        connection.headStarted = now();
    switch (verdict) {
    case Verdict::NeedMore: return;
    case Verdict::Upgrade: connection.upgradedAt = now(); return;
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

// Idle, backed up, a request head or a handshake not whole in time, or refused and lingering.
bool ConnectionGuard::overdue(const Connection& connection, qint64 time) const
{
    const QTcpSocket& socket = *connection.socket;
    if (connection.upgradedAt >= 0)
        return time - connection.upgradedAt > m_limits.headTimeout.count();
    if (connection.closingSince >= 0)
        return time - connection.closingSince > kClosingGraceMs;
    const bool slowHead = connection.headStarted >= 0 && time - connection.headStarted > m_limits.headTimeout.count();
    const bool idle = time - connection.lastActivity > m_limits.idleTimeout.count();
    // A client that sends requests but never reads the answers is not served for ever.
    const bool backedUp = socket.bytesToWrite() > m_limits.maxSendQueueBytes;
    return slowHead || idle || backedUp || socket.state() == QAbstractSocket::UnconnectedState;
}

// Closes overdue connections, and cuts sockets the server has stopped serving (it leaves a socket open
// after a parse error it cannot answer).
void ConnectionGuard::sweep()
{
    const qint64 time = now();
    for (const auto& connection : m_connections) {
        if (connection->socket && overdue(*connection, time)) {
            connection->socket->abort();
            connection->socket->deleteLater();
        }
    }
    forgetClosed();
}

void ConnectionGuard::forgetClosed()
{
    std::erase_if(m_connections, [](const auto& connection) { return connection->socket.isNull(); });
}

} // namespace kav
