#include "feed_server.h"

#include <QtCore/qtestsupport_core.h>

namespace kav {

TFeedServer::TFeedServer()
{
    QObject::connect(&m_server, &QTcpServer::newConnection, &m_server, [this] {
        while (QTcpSocket* socket = m_server.nextPendingConnection())
            m_connections.append(socket);
    });
    Listen(0);
}

bool TFeedServer::Listen(quint16 port)
{
    return m_server.listen(QHostAddress::LocalHost, port);
}

bool TFeedServer::WaitForConnections(int count, int timeoutMs)
{
    return QTest::qWaitFor([&] { return m_connections.size() >= count; }, timeoutMs);
}

bool TFeedServer::Send(const QByteArray& bytes)
{
    QTcpSocket* socket = Latest();
    if (!socket || socket->write(bytes) != bytes.size())
        return false;
    return QTest::qWaitFor([&] { return !socket || socket->bytesToWrite() == 0; }, 5000) && socket;
}

void TFeedServer::CloseLatest()
{
    if (QTcpSocket* socket = Latest())
        socket->disconnectFromHost();
}

} // namespace kav
