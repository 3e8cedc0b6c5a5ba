#pragma once

#include <QElapsedTimer>
#include <QHostAddress>
#include <QObject>
#include <QTimer>

#include <memory>
#include <vector>

#include "web_limits.h"

class QWebSocket;

namespace kav {

// The pages' live connections: each gets the whole state when it joins and then every update. A
// client whose unsent bytes would pass the limit, or that answers no ping, is dropped at once, so that
// a stalled client never holds up the others or the program; its page reconnects by itself. A quiet
// client hears a small message now and then, by which its page knows the connection is alive. It
// lives on the thread that made the sockets it is given.
class LiveClients : public QObject {
    Q_OBJECT
public:
    explicit LiveClients(const WebLimits& limits, QObject* parent = nullptr);
    ~LiveClients() override;

    // Takes a client (its socket with its TCP socket as a child) and sends it the state it starts from.
    void add(std::unique_ptr<QWebSocket> socket, const QByteArray& snapshot);
    void broadcast(const QByteArray& message);
    int count() const { return static_cast<int>(m_clients.size()); }
    // The clients from the address; all of them for a null address.
    int count(const QHostAddress& from) const;

private:
    struct Client {
        std::unique_ptr<QWebSocket> socket;
        QHostAddress address;
        qint64 lastSent = 0;
        qint64 lastPong = 0;
    };

    bool send(Client& client, const QString& text, qint64 bytes);
    void drop(QWebSocket* socket);
    void keepAlive();
    qint64 now() const { return m_clock.elapsed(); }

    WebLimits m_limits;
    std::vector<Client> m_clients;
    QElapsedTimer m_clock;
    QTimer m_keepAliveTimer;
    qint64 m_lastPing = 0;
};

} // namespace kav
