#include "client_socket_communication.h"

#include <QNetworkProxy>

#ifdef Q_OS_LINUX
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#endif

namespace kav {

ClientSocketCommunication::ClientSocketCommunication(QObject* parent) : Communication(parent)
{
    // The feed server sits on the track's own network; a proxy from the environment would only break it.
    m_socket.setProxy(QNetworkProxy::NoProxy);
    m_silenceTimer.setSingleShot(true);
    connect(&m_socket, &QTcpSocket::connected, this, &ClientSocketCommunication::handleConnected);
    connect(&m_socket, &QTcpSocket::disconnected, this, &ClientSocketCommunication::handleDisconnected);
    connect(&m_socket, &QTcpSocket::errorOccurred, this, &ClientSocketCommunication::handleError);
    connect(&m_socket, &QTcpSocket::readyRead, this, &ClientSocketCommunication::handleRead);
    connect(&m_silenceTimer, &QTimer::timeout, this, &ClientSocketCommunication::handleSilence);
}

ClientSocketCommunication::~ClientSocketCommunication()
{
    // The socket still signals while it is torn down; none of it may reach this half-destroyed channel.
    m_socket.disconnect(this);
    m_socket.abort();
}

void ClientSocketCommunication::send(const QByteArray& text)
{
    if (m_socket.state() == QAbstractSocket::ConnectedState)
        m_socket.write(text);
}

void ClientSocketCommunication::open()
{
    m_closedHere = false;
    m_socket.connectToHost(m_host, m_port);
    watchSilence();
}

void ClientSocketCommunication::close()
{
    m_closedHere = true;
    m_silenceTimer.stop();
    m_socket.abort();
}

bool ClientSocketCommunication::isOpen() const
{
    return m_socket.state() != QAbstractSocket::UnconnectedState;
}

void ClientSocketCommunication::handleConnected()
{
    m_socket.setSocketOption(QAbstractSocket::KeepAliveOption, 1);
    shortenKeepAlive();
    watchSilence();
    emit opened();
}

void ClientSocketCommunication::handleDisconnected()
{
    if (m_socket.bytesAvailable() > 0)
        handleRead();
    m_silenceTimer.stop();
    emit closed();
}

// A close by the server also comes as an error, just before the disconnect that reports it as a close.
void ClientSocketCommunication::handleError(QAbstractSocket::SocketError error)
{
    if (error == QAbstractSocket::RemoteHostClosedError || m_closedHere)
        return;
    m_silenceTimer.stop();
    emit connectionFailed();
}

// After our own close nothing more is wanted, not even what was already read.
void ClientSocketCommunication::handleRead()
{
    if (m_closedHere)
        return;
    watchSilence();
    emit bytesReceived(m_socket.readAll());
}

// A connection that stayed silent is given up: an established one as if the server had closed it, one
// still being set up as a failed connect.
void ClientSocketCommunication::handleSilence()
{
    const bool wasConnected = m_socket.state() == QAbstractSocket::ConnectedState;
    m_socket.abort();
    if (!wasConnected)
        emit connectionFailed();
}

// The system's first probe comes only after two hours of quiet; a broken link should show within half a
// minute.
void ClientSocketCommunication::shortenKeepAlive()
{
#ifdef Q_OS_LINUX
    const auto descriptor = static_cast<int>(m_socket.socketDescriptor());
    const int idle = kKeepAliveIdle, interval = kKeepAliveInterval, count = kKeepAliveProbes;
    setsockopt(descriptor, IPPROTO_TCP, TCP_KEEPIDLE, &idle, sizeof idle);
    setsockopt(descriptor, IPPROTO_TCP, TCP_KEEPINTVL, &interval, sizeof interval);
    setsockopt(descriptor, IPPROTO_TCP, TCP_KEEPCNT, &count, sizeof count);
#endif
}

void ClientSocketCommunication::watchSilence()
{
    if (m_silenceTimeout.count() > 0)
        m_silenceTimer.start(m_silenceTimeout);
}

} // namespace kav
