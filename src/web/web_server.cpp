#include "web_server.h"

#ifdef Q_OS_LINUX
#include <sys/resource.h>
#include <unistd.h>
#endif

#include "page_server.h"
#include "state_feed.h"

namespace kav {
namespace {

// Nice value of the web view's thread (the program's thread has 0).
constexpr int kWebThreadNice = 10;

// The web view gives way to the program's own thread when both want the same processor: the windows
// at the track come first, the pages a moment later.
void yieldToTheDisplay()
{
#ifdef Q_OS_LINUX
    setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), kWebThreadNice);
#endif
}

} // namespace

WebServer::WebServer(StateFeed& feed, const WebLimits& limits, QObject* parent)
    : QObject(parent), m_limits(limits), m_feed(feed)
{
    m_thread.setObjectName(QStringLiteral("web view"));
    connect(&m_thread, &QThread::started, &m_thread, &yieldToTheDisplay, Qt::DirectConnection);
    m_thread.start();
    // The page server and every socket it will have are made on the web view's thread.
    auto* maker = new QObject;
    maker->moveToThread(&m_thread);
    QMetaObject::invokeMethod(
        maker, [this] { m_pages = new PageServer(m_limits); }, Qt::BlockingQueuedConnection);
    maker->deleteLater();
    forward({});
    connect(&m_feed, &StateFeed::updated, this, &WebServer::forward);
    m_feed.hold();
}

WebServer::~WebServer()
{
    m_feed.release();
    // The clients go in their own thread, after every update already on its way to them.
    QMetaObject::invokeMethod(
        m_pages, [pages = m_pages] { delete pages; }, Qt::BlockingQueuedConnection);
    m_thread.quit();
    m_thread.wait();
}

template <typename Result, typename Call>
Result WebServer::askPages(Call call) const
{
    Result result{};
    QMetaObject::invokeMethod(
        m_pages, [&] { result = call(*m_pages); }, Qt::BlockingQueuedConnection);
    return result;
}

bool WebServer::start(const QHostAddress& address, quint16 port, QString& error)
{
    const auto started = askPages<std::pair<quint16, QString>>([&](PageServer& pages) {
        QString reason;
        return pages.start(address, port, reason) ? std::pair{pages.port(), QString()} : std::pair{quint16(0), reason};
    });
    m_port = started.first;
    error = started.second;
    return m_port != 0;
}

int WebServer::connectionCount() const
{
    return askPages<int>([](PageServer& pages) { return pages.connectionCount(); });
}

int WebServer::liveClientCount() const
{
    return askPages<int>([](PageServer& pages) { return pages.liveClientCount(); });
}

// Each state goes to the pages once, with the update that leads to it.
void WebServer::forward(const QByteArray& update)
{
    const PublishedState& state = m_feed.published();
    if (state.sequence == m_sequence)
        return;
    m_sequence = state.sequence;
    QMetaObject::invokeMethod(m_pages, [pages = m_pages, state, update] { pages->publish(state, update); });
}

} // namespace kav
