#include "web_server.h"

#include <QFile>
#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QRegularExpression>
#include <QTcpSocket>
#include <QWebSocket>

#ifdef Q_OS_LINUX
#include <sys/resource.h>
#include <unistd.h>
#endif

#include "connection_guard.h"
#include "live_clients.h"
#include "state_document.h"

// The pages live in a static library, whose resource registration the linker would otherwise drop.
static void registerWebResources()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(web_resources);
        return true;
    }();
    (void)registered;
}

namespace kav {
namespace {

using Status = QHttpServerResponder::StatusCode;

// Nice value of the thread that writes to the live clients (the program's thread has 0).
constexpr int kSenderNice = 10;

// Scripts and styles come from the program alone; live updates from the same host.
constexpr const char* kSecurityPolicy = "default-src 'self'; connect-src 'self' ws: wss:; img-src 'self'; "
                                        "style-src 'self' 'unsafe-inline'; frame-ancestors *";

QByteArray contentType(const QString& name)
{
    if (name.endsWith(QLatin1String(".html")))
        return "text/html; charset=utf-8";
    if (name.endsWith(QLatin1String(".css")))
        return "text/css; charset=utf-8";
    if (name.endsWith(QLatin1String(".js")))
        return "text/javascript; charset=utf-8";
    if (name.endsWith(QLatin1String(".svg")))
        return "image/svg+xml";
    return "application/octet-stream";
}

void writeBody(QHttpServerResponder& responder, const QByteArray& body, const QByteArray& type,
               Status status = Status::Ok)
{
    responder.write(body,
                    {{"Content-Type", type},
                     {"Cache-Control", "no-cache"},
                     {"X-Content-Type-Options", "nosniff"},
                     {"Referrer-Policy", "no-referrer"},
                     {"Content-Security-Policy", kSecurityPolicy}},
                    status);
}

// The page for a path; empty for a path no page has.
QString pageFor(const QString& path)
{
    static const QRegularExpression window(QStringLiteral("^/window/([1-9]|10)$"));
    static const QRegularExpression kind(QStringLiteral("^/kind/[1-4]$"));
    if (path == QLatin1String("/"))
        return QStringLiteral("index.html");
    if (window.match(path).hasMatch() || kind.match(path).hasMatch())
        return QStringLiteral("results.html");
    for (const char* page : {"info", "flag", "overlay"}) {
        if (path == QLatin1Char('/') + QLatin1String(page))
            return QLatin1String(page) + QLatin1String(".html");
    }
    return {};
}

// The sender gives way to the program's own thread when both want the same processor: the windows
// at the track come first, the pages a moment later.
void yieldToTheDisplay()
{
#ifdef Q_OS_LINUX
    setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), kSenderNice);
#endif
}

} // namespace

WebServer::WebServer(ResultsSource& source, const WebLimits& limits, QObject* parent)
    : QAbstractHttpServer(parent), m_limits(limits), m_document(new StateDocument(source, this)),
      m_guard(new ConnectionGuard(limits, this)), m_clients(new LiveClients(limits))
{
    registerWebResources();
    m_senderThread.setObjectName(QStringLiteral("web view sender"));
    connect(&m_senderThread, &QThread::started, &m_senderThread, &yieldToTheDisplay, Qt::DirectConnection);
    m_clients->moveToThread(&m_senderThread);
    m_senderThread.start();
    m_guard->countHandedOver([clients = m_clients] { return clients->count(); });
    m_pushTimer.setSingleShot(true);
    m_pushTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_pushTimer, &QTimer::timeout, this, &WebServer::push);
    connect(m_document, &StateDocument::changed, this, &WebServer::schedulePush);
    connect(this, &QAbstractHttpServer::newWebSocketConnection, this, &WebServer::acceptLiveClients);
    m_sinceLastPush.start();
}

WebServer::~WebServer()
{
    // The clients go in their own thread, after every update already on its way to them.
    QMetaObject::invokeMethod(
        m_clients, [clients = m_clients] { delete clients; }, Qt::BlockingQueuedConnection);
    m_senderThread.quit();
    m_senderThread.wait();
}

bool WebServer::start(const QHostAddress& address, quint16 port, QString& error)
{
    if (!m_guard->listen(address, port)) {
        error = QStringLiteral("cannot listen on %1 port %2: %3")
                    .arg(address.toString())
                    .arg(port)
                    .arg(m_guard->errorString());
        return false;
    }
    bind(m_guard);
    return true;
}

quint16 WebServer::port() const
{
    return m_guard->serverPort();
}

int WebServer::connectionCount() const
{
    return m_guard->connectionCount();
}

int WebServer::liveClientCount() const
{
    return m_clients->count();
}

bool WebServer::handleRequest(const QHttpServerRequest& request, QTcpSocket* socket)
{
    const QString path = request.url().path();
    // The upgrade is taken over by the WebSocket server when this route answers nothing.
    if (path == QLatin1String("/ws") && request.value("Upgrade").toLower() == "websocket")
        return true;
    QHttpServerResponder responder = makeResponder(request, socket);
    if (request.method() != QHttpServerRequest::Method::Get) {
        writeBody(responder, "405 Method Not Allowed\n", "text/plain; charset=utf-8", Status::MethodNotAllowed);
        return true;
    }
    if (path == QLatin1String("/api/state")) {
        writeBody(responder, m_document->snapshot(), "application/json");
        return true;
    }
    if (servePage(path, responder) || serveResource(path, responder))
        return true;
    writeBody(responder, "404 Not Found\n", "text/plain; charset=utf-8", Status::NotFound);
    return true;
}

void WebServer::missingHandler(const QHttpServerRequest& request, QTcpSocket* socket)
{
    QHttpServerResponder responder = makeResponder(request, socket);
    writeBody(responder, "404 Not Found\n", "text/plain; charset=utf-8", Status::NotFound);
}

bool WebServer::servePage(const QString& path, QHttpServerResponder& responder)
{
    const QString page = pageFor(path);
    if (page.isEmpty())
        return false;
    return serveResource(QStringLiteral("/static/") + page, responder);
}

// Only names made of letters, digits, '_', '-' and one dot are looked up, and only among the resources.
bool WebServer::serveResource(const QString& path, QHttpServerResponder& responder)
{
    static const QRegularExpression name(QStringLiteral("^/(static|markers)/([A-Za-z0-9_-]+\\.[a-z]+)$"));
    const QRegularExpressionMatch match = name.match(path);
    if (!match.hasMatch())
        return false;
    QFile file(QStringLiteral(":/web/%1/%2").arg(match.captured(1), match.captured(2)));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    writeBody(responder, file.readAll(), contentType(match.captured(2)));
    return true;
}

// New clients are taken when the server says so, in the middle of its handling of their socket; they
// move to the sender thread once that handling is over.
void WebServer::acceptLiveClients()
{
    while (hasPendingWebSocketConnections()) {
        if (std::unique_ptr<QWebSocket> socket = nextPendingWebSocketConnection())
            m_arriving.push_back(std::move(socket));
    }
    QMetaObject::invokeMethod(this, &WebServer::handOverLiveClients, Qt::QueuedConnection);
}

// Each new client goes to the sender thread with its TCP socket and the state it starts from; the
// updates after that state follow it there in order.
void WebServer::handOverLiveClients()
{
    for (std::unique_ptr<QWebSocket>& socket : m_arriving) {
        QTcpSocket* connection = m_guard->release(socket->peerAddress(), socket->peerPort());
        if (!connection || socket->state() != QAbstractSocket::ConnectedState)
            continue; // gone meanwhile, or not a connection of this server: let it go
        connection->setParent(socket.get());
        socket->moveToThread(&m_senderThread);
        m_clients->reserve();
        QMetaObject::invokeMethod(m_clients,
                                  [clients = m_clients, raw = socket.release(), snapshot = m_document->snapshot()] {
                                      clients->add(std::unique_ptr<QWebSocket>(raw), snapshot);
                                  });
    }
    m_arriving.clear();
}

// The first change after a quiet spell goes out at once; later ones wait for the next push interval.
void WebServer::schedulePush()
{
    if (m_pushTimer.isActive())
        return;
    const qint64 wait = m_limits.pushInterval.count() - m_sinceLastPush.elapsed();
    m_pushTimer.start(static_cast<int>(std::max<qint64>(wait, 0)));
}

// The update is made after the changes the models have already posted, so that it holds every
// effect of the lines it counts.
void WebServer::push()
{
    m_sinceLastPush.restart();
    QMetaObject::invokeMethod(this, &WebServer::publish, Qt::QueuedConnection);
}

void WebServer::publish()
{
    const QByteArray update = m_document->publish();
    if (!update.isEmpty())
        QMetaObject::invokeMethod(m_clients, [clients = m_clients, update] { clients->broadcast(update); });
}

} // namespace kav
