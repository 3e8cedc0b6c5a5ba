#pragma once

#include <QAbstractHttpServer>
#include <QElapsedTimer>
#include <QHostAddress>
#include <QThread>
#include <QTimer>

#include "web_limits.h"

#include <memory>
#include <vector>

class QHttpServerResponder;
class QWebSocket;

namespace kav {

class ConnectionGuard;
class LiveClients;
class ResultsSource;
class StateDocument;

// The built-in web view: pages and their scripts from the program's resources, the state as JSON at
// /api/state, and live updates over a WebSocket at /ws, at most ten a second. It only reads from the
// results source; no request changes anything in the program or touches a file. Each update is made
// once on the program's thread; writing it to every live client happens in a thread of its own.
class WebServer : public QAbstractHttpServer {
    Q_OBJECT
public:
    explicit WebServer(ResultsSource& source, const WebLimits& limits = {}, QObject* parent = nullptr);
    ~WebServer() override;

    // Listens on the address and port (0: any free port); false with the reason when it cannot.
    bool start(const QHostAddress& address, quint16 port, QString& error);
    quint16 port() const;
    int connectionCount() const;
    int liveClientCount() const;
    StateDocument& document() const { return *m_document; }

protected:
    bool handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) override;
    void missingHandler(const QHttpServerRequest& request, QTcpSocket* socket) override;

private:
    bool servePage(const QString& path, QHttpServerResponder& responder);
    bool serveResource(const QString& path, QHttpServerResponder& responder);
    void acceptLiveClients();
    void handOverLiveClients();
    void schedulePush();
    void push();
    void publish();

    WebLimits m_limits;
    StateDocument* m_document;
    ConnectionGuard* m_guard;
    std::vector<std::unique_ptr<QWebSocket>> m_arriving;
    QThread m_senderThread;
    LiveClients* m_clients; // in m_senderThread
    QTimer m_pushTimer;
    QElapsedTimer m_sinceLastPush;
};

} // namespace kav
