// What the web view's benchmarks share: a simulated race fed to the program on time, the program's
// configuration, and live WebSocket clients in a thread of their own that note the delay of each
// update and of each line.
#pragma once

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QProcess>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QWebSocket>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <ctime>
#include <fstream>
#include <limits>
#include <mutex>
#include <sstream>
#include <unistd.h>
#include <unordered_map>
#include <vector>

#include "communication_settings_file.h"
#include "layout_store.h"
#include "race_session.h"
#include "settings_store.h"
#include "web_view_settings.h"

namespace kav::bench {

using Clock = std::chrono::steady_clock;

inline double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// A number after "key": in a JSON text, or -1.
inline qint64 numberAfter(const QString& text, QLatin1String key)
{
    const qsizetype at = text.indexOf(key);
    if (at < 0)
        return -1;
    qsizetype end = at + key.size();
    while (end < text.size() && text[end].isDigit())
        ++end;
    return QStringView(text).mid(at + key.size(), end - at - key.size()).toLongLong();
}

// The program's CPU time so far in seconds, user and system, from the kernel.
inline double cpuSeconds(qint64 pid)
{
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    std::istringstream fields(text.substr(text.rfind(')') + 2));
    std::string skip;
    for (int i = 0; i < 11; ++i)
        fields >> skip;
    double user = 0, system = 0;
    fields >> user >> system;
    return (user + system) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

// When each line of the feed was written, and from which line on the delays count.
struct FeedTimes {
    explicit FeedTimes(std::size_t lines, std::size_t firstMeasured) : sent(lines), firstMeasured(firstMeasured) {}
    std::vector<std::atomic<Clock::rep>> sent;
    std::size_t firstMeasured;
};

// The live clients, in a thread of their own so that reading them never delays the feed.
class ClientPool : public QObject {
public:
    explicit ClientPool(const FeedTimes& feed) : m_feed(feed) {}

    void openAll(quint16 port, int count)
    {
        for (int i = 0; i < count; ++i) {
            auto* socket = new QWebSocket(QString(), QWebSocketProtocol::VersionLatest, this);
            m_seen[socket] = -1;
            connect(socket, &QWebSocket::textMessageReceived, this,
                    [this, socket](const QString& text) { receive(text, m_seen[socket]); });
            connect(socket, &QWebSocket::disconnected, this, [this] { ++dropped; });
            socket->open(QUrl(QStringLiteral("ws://127.0.0.1:%1/ws").arg(port)));
        }
    }

    // Closes every client and hands the pool back to the main thread.
    void closeAll()
    {
        for (QWebSocket* socket : findChildren<QWebSocket*>()) {
            socket->disconnect(this);
            delete socket;
        }
        moveToThread(QCoreApplication::instance()->thread());
    }

    std::mutex lock;
    std::vector<double> lineDelays, publishDelays;
    std::atomic<int> snapshots = 0, dropped = 0, caughtUp = 0;

private:
    void receive(const QString& text, qint64& seen)
    {
        const auto now = Clock::now().time_since_epoch().count();
        if (text.contains(QLatin1String("\"type\":\"snapshot\""))) {
            ++snapshots;
            seen = std::max<qint64>(numberAfter(text, QLatin1String("\"lines\":")), 0);
            return;
        }
        if (!text.contains(QLatin1String("\"type\":\"delta\"")))
            return;
        const qint64 lines = numberAfter(text, QLatin1String("\"lines\":"));
        const qint64 stamp = numberAfter(text, QLatin1String("\"time\":"));
        const auto total = static_cast<qint64>(m_feed.sent.size());
        const auto first = static_cast<qint64>(m_feed.firstMeasured) + 1;
        const std::lock_guard guard(lock);
        if (stamp > 0 && lines >= first)
            publishDelays.push_back(static_cast<double>(QDateTime::currentMSecsSinceEpoch() - stamp));
        for (qint64 line = std::max(seen + 1, first); line <= std::min(lines, total); ++line) {
            const Clock::rep sentAt = m_feed.sent[static_cast<std::size_t>(line - 1)].load();
            lineDelays.push_back(std::chrono::duration<double, std::milli>(Clock::duration(now - sentAt)).count());
        }
        if (seen < total && lines >= total)
            ++caughtUp;
        seen = std::max(seen, lines);
    }

    const FeedTimes& m_feed;
    std::unordered_map<QWebSocket*, qint64> m_seen;
};

// A ClientPool with its thread: opens on a port, closes when it goes.
class ClientThread {
public:
    explicit ClientThread(const FeedTimes& feed) : pool(feed)
    {
        pool.moveToThread(&m_thread);
        m_thread.start();
    }
    ~ClientThread() { stop(); }
    // Closes every client; the figures stay.
    void stop()
    {
        if (!m_thread.isRunning())
            return;
        QMetaObject::invokeMethod(
            &pool, [this] { pool.closeAll(); }, Qt::BlockingQueuedConnection);
        m_thread.quit();
        m_thread.wait();
    }
    void open(quint16 port, int count)
    {
        QMetaObject::invokeMethod(&pool, [this, port, count] { pool.openAll(port, count); });
    }

    ClientPool pool;

private:
    QThread m_thread;
};

// CPU seconds of the calling thread so far.
inline double threadCpuSeconds()
{
    timespec time{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &time);
    return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_nsec) / 1e9;
}

inline double percentile(std::vector<double> values, double fraction)
{
    if (values.empty())
        return -1;
    const auto at = values.begin() + static_cast<std::ptrdiff_t>(fraction * static_cast<double>(values.size() - 1));
    std::nth_element(values.begin(), at, values.end());
    return *at;
}

// A layout of result windows of the given kinds with every column, named in Kavendor.ini, and the
// feed connection to the benchmark's own server.
inline void writeConfig(const QTemporaryDir& dir, quint16 feedPort, const std::vector<std::uint8_t>& kinds,
                        int maxClients)
{
    const std::string layout = dir.filePath("bench.kvl").toStdString();
    const int count = static_cast<int>(kinds.size());
    for (int n = 1; n <= count; ++n) {
        ResultWindowSettings rec;
        rec.Number = static_cast<std::uint8_t>(n);
        rec.Layout = kinds[static_cast<std::size_t>(n - 1)];
        for (std::uint8_t id = 0; id < kColumnIds; ++id)
            rec.ColRel[id] = id;
        rec.WinPos = {300, 400, 20 * n, 20 * n, WindowState::Normal, n == count};
        writeResultWindow(layout, rec);
    }
    MainSettings settings;
    settings.LayoutFile = layout;
    settings.MainWin = {768, 1024, 0, 0, WindowState::Normal, false};
    writeMainSettings(dir.filePath("Kavendor.ini").toStdString(), settings, false);
    // The clients all come from the loopback address, as from a proxy.
    WebViewSettings web;
    web.maxClientsPerAddress = 0;
    web.maxClients = maxClients;
    writeWebViewSettings(dir.filePath("Kavendor.ini").toStdString(), web);
    CommunicationSettings comm;
    comm.CommType = CommunicationType::TCPIP;
    comm.TCPIP_Addr = QStringLiteral("127.0.0.1");
    comm.TCPIP_Port = feedPort;
    saveCommunicationSettings(dir.filePath("Communication.ini"), comm);
}

// The simulated 100-car race of 30 laps.
inline std::vector<SimLine> raceSimulation()
{
    SimOptions sim;
    sim.cars = 100;
    sim.laps = 30;
    return simulateSession(sim);
}

// Its lines, or its first `limit` lines.
inline std::vector<QByteArray> raceLines(std::size_t limit = std::numeric_limits<std::size_t>::max())
{
    std::vector<QByteArray> lines;
    for (const SimLine& line : raceSimulation()) {
        if (lines.size() >= limit)
            break;
        lines.push_back(QByteArray::fromStdString(line.text) + '\n');
    }
    return lines;
}

// Serves events until the condition holds, sleeping while there are none: a waiting benchmark must
// not take a core from the program it measures.
template <typename Condition>
inline bool waitFor(Condition&& condition, int milliseconds)
{
    QTimer wake;
    wake.start(5);
    QElapsedTimer timer;
    timer.start();
    while (!condition() && timer.elapsed() < milliseconds)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return condition();
}

// Writes each line when its time has come (milliseconds from the start), noting when it went.
inline void feedOnTime(QTcpSocket& peer, const std::vector<QByteArray>& lines, const std::vector<double>& due,
                       FeedTimes& feed)
{
    std::size_t next = 0;
    const auto start = Clock::now();
    QTimer feeder;
    feeder.setTimerType(Qt::PreciseTimer);
    QObject::connect(&feeder, &QTimer::timeout, [&] {
        const double now = millisecondsSince(start);
        for (; next < lines.size() && due[next] <= now; ++next) {
            feed.sent[next] = Clock::now().time_since_epoch().count();
            peer.write(lines[next]);
        }
        peer.flush();
    });
    feeder.start(1);
    waitFor([&] { return next >= lines.size(); }, static_cast<int>(due.back()) * 2 + 10000);
}

// Live clients in a process of their own at the lowest priority (web_bench_clients): at a track the
// clients are other machines, so they must not take the CPU of what is measured. With `lines`, they
// tell when every one of them has had the state of that many lines.
class ClientProcess {
public:
    ClientProcess(quint16 port, int count, qint64 lines = -1)
    {
        QStringList arguments{QString::number(port), QString::number(count)};
        if (lines >= 0)
            arguments << QString::number(lines);
        m_process.start(QStringLiteral(KAV_CLIENTS), arguments);
    }
    ~ClientProcess()
    {
        m_process.closeWriteChannel();
        if (!m_process.waitForFinished(10000))
            m_process.kill();
    }
    bool waitUntilSaid(const QByteArray& text, int milliseconds)
    {
        return waitFor(
            [&] {
                m_said += m_process.readAllStandardOutput();
                return m_said.contains(text);
            },
            milliseconds);
    }
    bool waitUntilReady() { return waitUntilSaid("ready\n", 30000); }
    int dropped()
    {
        m_said += m_process.readAllStandardOutput();
        return static_cast<int>(m_said.count("dropped\n"));
    }

private:
    QProcess m_process;
    QByteArray m_said;
};

} // namespace kav::bench
