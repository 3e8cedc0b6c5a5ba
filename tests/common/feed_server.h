#pragma once

#include <QByteArray>
#include <QList>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>

namespace kav {

// A feed server on the loopback address that the device connects to; the test drives what it sends.
class TFeedServer {
public:
    TFeedServer();

    quint16 Port() const { return m_server.serverPort(); }
    // Every connection accepted so far, the latest last; closed ones stay in the list as null.
    int ConnectionCount() const { return m_connections.size(); }
    QTcpSocket* Latest() const { return m_connections.isEmpty() ? nullptr : m_connections.last().data(); }

    // Waits for the given number of connections in all.
    bool WaitForConnections(int count, int timeoutMs = 5000);
    // Sends on the latest connection and waits until the bytes have left.
    bool Send(const QByteArray& bytes);
    // Closes the latest connection from the server's side.
    void CloseLatest();
    // Stops accepting and frees the port, so that connecting to it is refused.
    void StopListening() { m_server.close(); }
    bool Listen(quint16 port);

private:
    QTcpServer m_server;
    QList<QPointer<QTcpSocket>> m_connections;
};

} // namespace kav
