#include "feed_broadcaster.h"

#include <QHostAddress>

namespace kav {

FeedBroadcaster::FeedBroadcaster(QObject* parent) : QObject(parent)
{
    connect(&m_server, &QTcpServer::newConnection, this, &FeedBroadcaster::accept);
}

bool FeedBroadcaster::listen(const QString& address, quint16 port)
{
    QHostAddress host;
    if (!host.setAddress(address))
        return false;
    return m_server.listen(host, port);
}

void FeedBroadcaster::send(const std::string& line)
{
    if (m_finishing)
        return;
    QByteArray bytes(line.data(), static_cast<qsizetype>(line.size()));
    bytes.append('\n');
    m_sent.append(bytes);
    for (auto* client : m_clients)
        client->write(bytes);
}

void FeedBroadcaster::finish()
{
    if (m_finishing)
        return; // allClosed has come already or is on its way
    m_finishing = true;
    m_server.close();
    if (m_clients.isEmpty()) {
        emit allClosed();
        return;
    }
    for (auto* client : QList<QTcpSocket*>(m_clients))
        client->disconnectFromHost();
}

void FeedBroadcaster::accept()
{
    while (auto* client = m_server.nextPendingConnection()) {
        if (m_finishing) {
            client->abort();
            client->deleteLater();
            continue;
        }
        m_clients.append(client);
        connect(client, &QTcpSocket::disconnected, this, [this, client] { drop(client); });
        client->write(m_sent);
    }
    if (!m_hadClient && !m_clients.isEmpty()) {
        m_hadClient = true;
        emit firstClient();
    }
}

void FeedBroadcaster::drop(QTcpSocket* client)
{
    m_clients.removeOne(client);
    client->deleteLater();
    if (m_finishing && m_clients.isEmpty())
        emit allClosed();
}

} // namespace kav
