#pragma once

#include <QTcpSocket>
#include <QTimer>

#include <chrono>

#include "communication.h"

namespace kav {

// The TCP client channel: connects to the feed server and hands on what it sends. Every notification
// comes through the main thread's event loop.
class ClientSocketCommunication : public Communication {
    Q_OBJECT
public:
    static constexpr int kKeepAliveIdle = 10;    // seconds of quiet before the first probe
    static constexpr int kKeepAliveInterval = 5; // seconds between probes
    static constexpr int kKeepAliveProbes = 3;   // unanswered probes that break the connection

    explicit ClientSocketCommunication(QObject* parent = nullptr);
    ~ClientSocketCommunication() override;

    void setHost(const QString& host) { m_host = host; }
    void setPort(quint16 port) { m_port = port; }
    // After this long without a single byte the connection counts as closed by the far end; zero
    // turns the watch off. A half-open connection is otherwise never noticed.
    void setSilenceTimeout(std::chrono::milliseconds timeout) { m_silenceTimeout = timeout; }

    void send(const QByteArray& text) override;
    void open() override;
    void close() override;
    bool isOpen() const override;

    const QTcpSocket& socket() const { return m_socket; }

private:
    void handleConnected();
    void handleDisconnected();
    void handleError(QAbstractSocket::SocketError error);
    void handleRead();
    void handleSilence();
    void shortenKeepAlive();
    void watchSilence();

    QTcpSocket m_socket;
    QTimer m_silenceTimer;
    QString m_host = QStringLiteral("localhost");
    quint16 m_port = 50000;
    std::chrono::milliseconds m_silenceTimeout{0};
    bool m_closedHere = false;
};

} // namespace kav
