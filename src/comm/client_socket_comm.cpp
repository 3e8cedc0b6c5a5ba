#include "client_socket_comm.h"

#include <QNetworkProxy>

#ifdef Q_OS_LINUX
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#endif

namespace kav {

TClientSocketComm::TClientSocketComm(QObject* parent) : TCommunication(parent)
{
    // The feed server sits on the track's own network; a proxy from the environment would only break it.
    m_socket.setProxy(QNetworkProxy::NoProxy);
    m_silenceTimer.setSingleShot(true);
    connect(&m_socket, &QTcpSocket::connected, this, &TClientSocketComm::HandleConnected);
    connect(&m_socket, &QTcpSocket::disconnected, this, &TClientSocketComm::HandleDisconnected);
    connect(&m_socket, &QTcpSocket::errorOccurred, this, &TClientSocketComm::HandleError);
    connect(&m_socket, &QTcpSocket::readyRead, this, &TClientSocketComm::HandleRead);
    connect(&m_silenceTimer, &QTimer::timeout, this, &TClientSocketComm::HandleSilence);
}

TClientSocketComm::~TClientSocketComm()
{
    // The socket still signals while it is torn down; none of it may reach this half-destroyed channel.
    m_socket.disconnect(this);
    m_socket.abort();
}

void TClientSocketComm::Send(const QByteArray& text)
{
    if (m_socket.state() == QAbstractSocket::ConnectedState)
        m_socket.write(text);
}

void TClientSocketComm::Open()
{
    m_closedHere = false;
    m_socket.connectToHost(m_host, m_port);
    WatchSilence();
}

void TClientSocketComm::Close()
{
    m_closedHere = true;
    m_silenceTimer.stop();
    m_socket.abort();
}

bool TClientSocketComm::IsOpen() const
{
    return m_socket.state() != QAbstractSocket::UnconnectedState;
}

void TClientSocketComm::HandleConnected()
{
    m_socket.setSocketOption(QAbstractSocket::KeepAliveOption, 1);
    ShortenKeepAlive();
    WatchSilence();
    emit opened();
}

void TClientSocketComm::HandleDisconnected()
{
    if (m_socket.bytesAvailable() > 0)
        HandleRead();
    m_silenceTimer.stop();
    emit closed();
}

// A close by the server also comes as an error, just before the disconnect that reports it as a close.
void TClientSocketComm::HandleError(QAbstractSocket::SocketError error)
{
    if (error == QAbstractSocket::RemoteHostClosedError || m_closedHere)
        return;
    m_silenceTimer.stop();
    emit connectionFailed();
}

// After our own close nothing more is wanted, not even what was already read.
void TClientSocketComm::HandleRead()
{
    if (m_closedHere)
        return;
    WatchSilence();
    emit bytesReceived(m_socket.readAll());
}

// A connection that stayed silent is given up: an established one as if the server had closed it, one
// still being set up as a failed connect.
void TClientSocketComm::HandleSilence()
{
    const bool wasConnected = m_socket.state() == QAbstractSocket::ConnectedState;
    m_socket.abort();
    if (!wasConnected)
        emit connectionFailed();
}

// The system's first probe comes only after two hours of quiet; a broken link should show within half a
// minute.
void TClientSocketComm::ShortenKeepAlive()
{
#ifdef Q_OS_LINUX
    const auto descriptor = static_cast<int>(m_socket.socketDescriptor());
    const int idle = kKeepAliveIdle, interval = kKeepAliveInterval, count = kKeepAliveProbes;
    setsockopt(descriptor, IPPROTO_TCP, TCP_KEEPIDLE, &idle, sizeof idle);
    setsockopt(descriptor, IPPROTO_TCP, TCP_KEEPINTVL, &interval, sizeof interval);
    setsockopt(descriptor, IPPROTO_TCP, TCP_KEEPCNT, &count, sizeof count);
#endif
}

void TClientSocketComm::WatchSilence()
{
    if (m_silenceTimeout.count() > 0)
        m_silenceTimer.start(m_silenceTimeout);
}

} // namespace kav
