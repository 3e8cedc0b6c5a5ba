#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QTcpServer>
#include <QTcpSocket>
#include <string>

namespace kav {

// Sends the feed to every TCP client; a client that comes late first gets every line of the session sent so
// far, as a timing computer re-sends its state to a new listener.
class FeedBroadcaster : public QObject {
    Q_OBJECT
public:
    explicit FeedBroadcaster(QObject* parent = nullptr);

    bool listen(const QString& address, quint16 port);
    quint16 port() const { return m_server.serverPort(); }
    QString errorText() const { return m_server.errorString(); }
    int clientCount() const { return static_cast<int>(m_clients.size()); }

    // One line; the LF is added here. Nothing is sent once Finish was called.
    void send(const std::string& line);
    // A new session begins: clients stay connected, and a late client gets only the lines from here on.
    void startSession() { m_sent.clear(); }
    // Stops listening and closes every client once its data is out; allClosed follows.
    void finish();

signals:
    void firstClient();
    void allClosed();

private:
    void accept();
    void drop(QTcpSocket* client);

    QTcpServer m_server;
    QList<QTcpSocket*> m_clients;
    QByteArray m_sent;
    bool m_hadClient = false;
    bool m_finishing = false;
};

} // namespace kav
