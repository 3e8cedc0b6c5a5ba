#pragma once

#include <QElapsedTimer>
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
// this itself: it counts the open connections and refuses those beyond the limit with 503, checks
// every request head before the server parses it (400, 405, 414, 429 or 431 and the connection closed),
// closes HTTP connections that stay idle, and clears away sockets the server has let go of. A
// connection upgraded to a WebSocket is left to the live updates' own keep-alive.
class ConnectionGuard : public QTcpServer {
    Q_OBJECT
public:
    explicit ConnectionGuard(const WebLimits& limits, QObject* parent = nullptr);
    ~ConnectionGuard() override;

    // Connections that count against the limit: open, and not being refused, here or handed over.
    int connectionCount() const;
    // Connections handed over to the live updates still count against the limit; this tells how many.
    void countHandedOver(std::function<int()> count) { m_handedOver = std::move(count); }
    // Gives up the socket of a connection upgraded to a WebSocket, by its peer: without a parent, for
    // the live updates to take to their thread. Null when no connection has that peer.
    QTcpSocket* release(const QHostAddress& peer, quint16 peerPort);

protected:
    void incomingConnection(qintptr handle) override;

private:
    struct Connection {
        explicit Connection(const WebLimits& limits)
            : reader(limits.maxHeadBytes, limits.maxTargetBytes, limits.maxRequestsAtOnce)
        {
        }
        QPointer<QTcpSocket> socket;
        RequestHeadReader reader;
        qint64 lastActivity = 0;
        qint64 closingSince = -1; // -1 while the connection is in use
        bool upgraded = false;
    };

    void watch(Connection& connection);
    void checkRequests(Connection& connection);
    void refuse(QTcpSocket& socket, int status, const QByteArray& extraHeaders = {});
    void sweep();
    void forgetClosed();
    qint64 now() const { return m_clock.elapsed(); }

    WebLimits m_limits;
    std::vector<std::unique_ptr<Connection>> m_connections;
    QElapsedTimer m_clock;
    QTimer m_sweepTimer;
    std::function<int()> m_handedOver = [] { return 0; };
};

} // namespace kav
