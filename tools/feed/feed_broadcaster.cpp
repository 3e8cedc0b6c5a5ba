#include "feed_broadcaster.h"

#include <QHostAddress>

namespace kav {

TFeedBroadcaster::TFeedBroadcaster(QObject* parent) : QObject(parent)
{
    connect(&m_server, &QTcpServer::newConnection, this, &TFeedBroadcaster::Accept);
}

bool TFeedBroadcaster::Listen(const QString& address, quint16 port)
{
    QHostAddress host;
    if (!host.setAddress(address))
        return false;
    return m_server.listen(host, port);
}

void TFeedBroadcaster::Send(const std::string& line)
{
    if (m_finishing)
        return;
    QByteArray bytes(line.data(), static_cast<qsizetype>(line.size()));
    bytes.append('\n');
    m_sent.append(bytes);
    for (auto* client : m_clients)
        client->write(bytes);
}

void TFeedBroadcaster::Finish()
{
    if (m_finishing)
        return; // AllClosed has come already or is on its way
    m_finishing = true;
    m_server.close();
    if (m_clients.isEmpty()) {
        emit AllClosed();
        return;
    }
    for (auto* client : QList<QTcpSocket*>(m_clients))
        client->disconnectFromHost();
}

void TFeedBroadcaster::Accept()
{
    while (auto* client = m_server.nextPendingConnection()) {
        if (m_finishing) {
            client->abort();
            client->deleteLater();
            continue;
        }
        m_clients.append(client);
        connect(client, &QTcpSocket::disconnected, this, [this, client] { Drop(client); });
        client->write(m_sent);
    }
    if (!m_hadClient && !m_clients.isEmpty()) {
        m_hadClient = true;
        emit FirstClient();
    }
}

void TFeedBroadcaster::Drop(QTcpSocket* client)
{
    m_clients.removeOne(client);
    client->deleteLater();
    if (m_finishing && m_clients.isEmpty())
        emit AllClosed();
}

} // namespace kav
