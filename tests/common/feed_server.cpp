#include "feed_server.h"

#include <QtCore/qtestsupport_core.h>

namespace kav {

FeedServer::FeedServer()
{
    QObject::connect(&m_server, &QTcpServer::newConnection, &m_server, [this] {
        while (QTcpSocket* socket = m_server.nextPendingConnection())
            m_connections.append(socket);
    });
    listen(0);
}

bool FeedServer::listen(quint16 port)
{
    return m_server.listen(QHostAddress::LocalHost, port);
}

bool FeedServer::waitForConnections(int count, int timeoutMs)
{
    return QTest::qWaitFor([&] { return m_connections.size() >= count; }, timeoutMs);
}

bool FeedServer::send(const QByteArray& bytes)
{
    QTcpSocket* socket = latest();
    if (!socket || socket->write(bytes) != bytes.size())
        return false;
    return QTest::qWaitFor([&] { return !socket || socket->bytesToWrite() == 0; }, 5000) && socket;
}

void FeedServer::closeLatest()
{
    if (QTcpSocket* socket = latest())
        socket->disconnectFromHost();
}

} // namespace kav
