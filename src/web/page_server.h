#pragma once

#include <QAbstractHttpServer>
#include <QHostAddress>

#include "state_document.h"
#include "web_limits.h"

class QHttpServerResponder;

namespace kav {

class ConnectionGuard;
class LiveClients;

// The HTTP side of the web view, made on the web view's own thread and serving every socket there,
// from the accepted connection to the live client it may become: pages and their scripts from the
// program's resources, the state as JSON at /api/state, and live updates over a WebSocket at /ws. It
// holds the state as last published and hears of each publication through publish(); it never reads
// the program's models, and no request changes anything in the program or touches a file.
class PageServer : public QAbstractHttpServer {
    Q_OBJECT
public:
    explicit PageServer(const WebLimits& limits, QObject* parent = nullptr);
    ~PageServer() override;

    // Listens on the address and port (0: any free port); false with the reason when it cannot.
    bool start(const QHostAddress& address, quint16 port, QString& error);
    quint16 port() const;
    int connectionCount() const;
    int liveClientCount() const;
    // The state after an update, and the update itself for the live clients (empty: none).
    void publish(const PublishedState& state, const QByteArray& update);

protected:
    bool handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) override;
    void missingHandler(const QHttpServerRequest& request, QTcpSocket* socket) override;

private:
    bool servePage(const QString& path, QHttpServerResponder& responder, bool closing);
    bool serveResource(const QString& path, QHttpServerResponder& responder, bool closing);
    void acceptLiveClients();
    QByteArray snapshot();

    WebLimits m_limits;
    ConnectionGuard* m_guard;
    LiveClients* m_clients;
    PublishedState m_state;
    QByteArray m_snapshot; // m_state's text, made when first asked for
};

} // namespace kav
