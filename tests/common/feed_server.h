#pragma once

#include <QByteArray>
#include <QList>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>

namespace kav {

// A feed server on the loopback address that the device connects to; the test drives what it sends.
class FeedServer {
public:
    FeedServer();

    quint16 port() const { return m_server.serverPort(); }
    // Every connection accepted so far, the latest last; closed ones stay in the list as null.
    int connectionCount() const { return m_connections.size(); }
    QTcpSocket* latest() const { return m_connections.isEmpty() ? nullptr : m_connections.last().data(); }

    // Waits for the given number of connections in all.
    bool waitForConnections(int count, int timeoutMs = 5000);
    // Sends on the latest connection and waits until the bytes have left.
    bool send(const QByteArray& bytes);
    // Closes the latest connection from the server's side.
    void closeLatest();
    // Stops accepting and frees the port, so that connecting to it is refused.
    void stopListening() { m_server.close(); }
    bool listen(quint16 port);

private:
    QTcpServer m_server;
    QList<QPointer<QTcpSocket>> m_connections;
};

} // namespace kav
