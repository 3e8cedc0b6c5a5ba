#include "page_server.h"

#include <QFile>
#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QRegularExpression>
#include <QTcpSocket>
#include <QWebSocket>

#include "connection_guard.h"
#include "live_clients.h"

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

// Every page and the state may be read from any origin: they are public, and nothing here can change
// anything in the program.
void writeBody(QHttpServerResponder& responder, const QByteArray& body, const QByteArray& type, bool closing,
               Status status = Status::Ok)
{
    responder.write(body,
                    {{"Content-Type", type},
                     {"Cache-Control", "no-cache"},
                     {"X-Content-Type-Options", "nosniff"},
                     {"Referrer-Policy", "no-referrer"},
                     {"Access-Control-Allow-Origin", "*"},
                     {"Content-Security-Policy", kSecurityPolicy},
                     {"Connection", closing ? "close" : "keep-alive"}},
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
    for (const char* page : {"info", "flag", "overlay", "events"}) {
        if (path == QLatin1Char('/') + QLatin1String(page))
            return QLatin1String(page) + QLatin1String(".html");
    }
    return {};
}

} // namespace

PageServer::PageServer(const WebLimits& limits, QObject* parent)
    : QAbstractHttpServer(parent), m_limits(limits), m_guard(new ConnectionGuard(limits, this)),
      m_clients(new LiveClients(limits, this))
{
    registerWebResources();
    m_guard->countHandedOver([clients = m_clients](const QHostAddress& from) { return clients->count(from); });
    connect(this, &QAbstractHttpServer::newWebSocketConnection, this, &PageServer::acceptLiveClients);
}

PageServer::~PageServer() = default;

bool PageServer::start(const QHostAddress& address, quint16 port, QString& error)
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

quint16 PageServer::port() const
{
    return m_guard->serverPort();
}

int PageServer::connectionCount() const
{
    return m_guard->connectionCount();
}

int PageServer::liveClientCount() const
{
    return m_clients->count();
}

void PageServer::publish(const PublishedState& state, const QByteArray& update)
{
    m_state = state;
    m_snapshot.clear();
    if (!update.isEmpty())
        m_clients->broadcast(update);
}

QByteArray PageServer::snapshot()
{
    if (m_snapshot.isEmpty())
        m_snapshot = m_state.snapshotText();
    return m_snapshot;
}

bool PageServer::handleRequest(const QHttpServerRequest& request, QTcpSocket* socket)
{
    const QString path = request.url().path();
    // A sound upgrade (the guard refuses any other) is taken over by the WebSocket server when this
    // route answers nothing.
    if (path == QLatin1String("/ws") && !request.value("Upgrade").isEmpty())
        return true;
    QHttpServerResponder responder = makeResponder(request, socket);
    const bool closing = m_guard->closesAfterAnswer(socket);
    if (request.method() != QHttpServerRequest::Method::Get)
        writeBody(responder, "405 Method Not Allowed\n", "text/plain; charset=utf-8", closing,
                  Status::MethodNotAllowed);
    else if (path == QLatin1String("/api/state"))
        writeBody(responder, snapshot(), "application/json", closing);
    else if (path == QLatin1String("/health")) // for a proxy's checks: answering at all is the news
        writeBody(responder,
                  QStringLiteral("{\"status\":\"ok\",\"liveClients\":%1,\"connections\":%2}\n")
                      .arg(liveClientCount())
                      .arg(connectionCount())
                      .toUtf8(),
                  "application/json", closing);
    else if (!servePage(path, responder, closing) && !serveResource(path, responder, closing))
        writeBody(responder, "404 Not Found\n", "text/plain; charset=utf-8", closing, Status::NotFound);
    if (closing)
        socket->disconnectFromHost();
    return true;
}

void PageServer::missingHandler(const QHttpServerRequest& request, QTcpSocket* socket)
{
    QHttpServerResponder responder = makeResponder(request, socket);
    writeBody(responder, "404 Not Found\n", "text/plain; charset=utf-8", true, Status::NotFound);
    socket->disconnectFromHost();
}

bool PageServer::servePage(const QString& path, QHttpServerResponder& responder, bool closing)
{
    const QString page = pageFor(path);
    if (page.isEmpty())
        return false;
    return serveResource(QStringLiteral("/static/") + page, responder, closing);
}

// Only names made of letters, digits, '_', '-' and one dot are looked up, and only among the resources.
bool PageServer::serveResource(const QString& path, QHttpServerResponder& responder, bool closing)
{
    static const QRegularExpression name(QStringLiteral("^/(static|markers)/([A-Za-z0-9_-]+\\.[a-z]+)$"));
    const QRegularExpressionMatch match = name.match(path);
    if (!match.hasMatch())
        return false;
    QFile file(QStringLiteral(":/web/%1/%2").arg(match.captured(1), match.captured(2)));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    writeBody(responder, file.readAll(), contentType(match.captured(2)), closing);
    return true;
}

// The server announces each new client in the middle of its handling of the socket; the client is
// served from here on, on this thread, starting from the state as last published.
void PageServer::acceptLiveClients()
{
    while (hasPendingWebSocketConnections()) {
        std::unique_ptr<QWebSocket> socket = nextPendingWebSocketConnection();
        if (!socket)
            continue;
        QTcpSocket* connection = m_guard->release(socket->peerAddress(), socket->peerPort());
        if (!connection || socket->state() != QAbstractSocket::ConnectedState) {
            socket->abort();
            socket.release()->deleteLater(); // gone meanwhile, or not a connection of this server
            continue;
        }
        connection->setParent(socket.get());
        m_clients->add(std::move(socket), snapshot());
    }
}

} // namespace kav
