#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <atomic>
#include <memory>
#include <vector>

#include "web_limits.h"

class QWebSocket;

namespace kav {

// The pages' live connections: each gets the whole state when it joins and then every update. A
// client whose unsent bytes would pass the limit, or that answers no ping, is dropped at once, so that
// a stalled client never holds up the others or the program; its page reconnects by itself. A quiet
// client hears a small message now and then, by which its page knows the connection is alive.
// It may live in a thread of its own, so that writing one update to every client never holds up the
// program's windows; then it is called only through queued calls, and count() from anywhere.
class LiveClients : public QObject {
    Q_OBJECT
public:
    explicit LiveClients(const WebLimits& limits, QObject* parent = nullptr);
    ~LiveClients() override;

    // Counts a client on its way to add(), so that the limit of connections holds meanwhile.
    void reserve() { ++m_count; }
    // Takes a reserved client; its socket (with its TCP socket as a child) in this object's thread.
    void add(std::unique_ptr<QWebSocket> socket, const QByteArray& snapshot);
    void broadcast(const QByteArray& message);
    // The clients being served, and those reserved.
    int count() const { return m_count; }

signals:
    void clientDropped();

private:
    struct Client {
        std::unique_ptr<QWebSocket> socket;
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
    QTimer m_keepAliveTimer{this}; // a child, so that it moves with this object to its thread
    qint64 m_lastPing = 0;
    std::atomic<int> m_count = 0;
};

} // namespace kav
