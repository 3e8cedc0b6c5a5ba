#include "web_server.h"

#ifdef Q_OS_LINUX
#include <sys/resource.h>
#include <unistd.h>
#endif

#include "page_server.h"
#include "state_document.h"

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

WebServer::WebServer(ResultsSource& source, const WebLimits& limits, QObject* parent)
    : QObject(parent), m_limits(limits), m_document(new StateDocument(source, this))
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
    QMetaObject::invokeMethod(m_pages,
                              [pages = m_pages, state = m_document->published()] { pages->publish(state, {}); });
    m_pushTimer.setSingleShot(true);
    m_pushTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_pushTimer, &QTimer::timeout, this, &WebServer::push);
    connect(m_document, &StateDocument::changed, this, &WebServer::schedulePush);
    m_sinceLastPush.start();
}

WebServer::~WebServer()
{
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
    QByteArray update = m_document->publish();
    if (update.isEmpty())
        return;
    QMetaObject::invokeMethod(
        m_pages, [pages = m_pages, state = m_document->published(), update] { pages->publish(state, update); });
}

} // namespace kav
