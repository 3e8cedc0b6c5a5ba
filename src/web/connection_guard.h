#pragma once

#include <QElapsedTimer>
#include <QHostAddress>
#include <QPointer>
#include <QTcpServer>
#include <QTimer>

#include <functional>
#include <memory>
#include <vector>

#include "request_head_reader.h"
#include "web_limits.h"

class QTcpSocket;

namespace kav {

// The listening socket of the web view, standing in front of the HTTP server, which limits none of
// this itself. It counts the open connections, in all and per client address, and refuses those
// beyond a limit with 503; when all places are taken, a newcomer takes the place of the oldest
// connection that has not yet sent a whole request, so that slow or silent clients never lock out
// viewers who behave. It checks every request head before the server parses it (400, 405, 414, 429 or
// 431 and the connection closed), closes a connection whose request head is not whole in time, one
// left idle, and one whose unsent answers pile up, and clears away sockets the server has let go of.
// A connection upgraded to a WebSocket is left to the live updates' own keep-alive.
//
// What one connection can make the program hold is bounded: one request head (maxHeadBytes), unsent
// answers up to maxSendQueueBytes, plus the answers to one read's requests (maxRequestsAtOnce).
class ConnectionGuard : public QTcpServer {
    Q_OBJECT
public:
    explicit ConnectionGuard(const WebLimits& limits, QObject* parent = nullptr);
    ~ConnectionGuard() override;

    // Connections that count against the limit: open, and not being refused, here or handed over.
    int connectionCount() const;
    // Connections handed over to the live updates still count against the limits; this tells how
    // many, from the address or, for a null address, in all.
    void countHandedOver(std::function<int(const QHostAddress&)> count) { m_handedOver = std::move(count); }
    // Gives up the socket of a connection upgraded to a WebSocket, by its peer: without a parent, for
    // the live updates to take. Null when no connection has that peer.
    QTcpSocket* release(const QHostAddress& peer, quint16 peerPort);
    // Whether the connection is to close after the answer to its oldest unanswered request.
    bool closesAfterAnswer(const QTcpSocket* socket);

protected:
    void incomingConnection(qintptr handle) override;

private:
    struct Connection {
        explicit Connection(const WebLimits& limits)
            : reader(limits.maxHeadBytes, limits.maxTargetBytes, limits.maxRequestsAtOnce)
        {
        }
        QPointer<QTcpSocket> socket;
        QHostAddress address;
        RequestHeadReader reader;
        qint64 lastActivity = 0;  // a whole request, or answer bytes written
        qint64 headStarted = 0;   // -1 while no request head is on its way
        qint64 closingSince = -1; // -1 while the connection is in use
        qint64 upgradedAt = -1;   // -1 until the head of an upgrade is whole
    };

    // Open connections from the address, or in all for a null address.
    int openConnections(const QHostAddress& from) const;
    bool makeRoom(const QHostAddress& address);
    void watch(Connection& connection);
    void checkRequests(Connection& connection);
    void refuse(QTcpSocket& socket, int status, const QByteArray& extraHeaders = {});
    void refuseNewcomer(QTcpSocket* socket);
    bool overdue(const Connection& connection, qint64 time) const;
    void sweep();
    void forgetClosed();
    qint64 now() const { return m_clock.elapsed(); }

    WebLimits m_limits;
    std::vector<std::unique_ptr<Connection>> m_connections;
    QElapsedTimer m_clock;
    QTimer m_sweepTimer;
    std::function<int(const QHostAddress&)> m_handedOver = [](const QHostAddress&) { return 0; };
};

} // namespace kav
