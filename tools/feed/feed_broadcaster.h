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
class TFeedBroadcaster : public QObject {
    Q_OBJECT
public:
    explicit TFeedBroadcaster(QObject* parent = nullptr);

    bool Listen(const QString& address, quint16 port);
    quint16 Port() const { return m_server.serverPort(); }
    QString ErrorText() const { return m_server.errorString(); }
    int ClientCount() const { return static_cast<int>(m_clients.size()); }

    // One line; the LF is added here. Nothing is sent once Finish was called.
    void Send(const std::string& line);
    // A new session begins: clients stay connected, and a late client gets only the lines from here on.
    void StartSession() { m_sent.clear(); }
    // Stops listening and closes every client once its data is out; AllClosed follows.
    void Finish();

signals:
    void FirstClient();
    void AllClosed();

private:
    void Accept();
    void Drop(QTcpSocket* client);

    QTcpServer m_server;
    QList<QTcpSocket*> m_clients;
    QByteArray m_sent;
    bool m_hadClient = false;
    bool m_finishing = false;
};

} // namespace kav
