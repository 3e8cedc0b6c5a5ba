// The web view under load: the kavendor program takes a simulated 100-car race over TCP at 250 lines
// per second into four result windows while 200 live clients on loopback follow it. Figures: the push
// delay from the program publishing an update to a client having it (targets: median under 50 ms,
// 99th percentile under 200 ms), the delay from a line sent to the program to a client showing its
// effect, which adds the wait of the ten-a-second coalescing (50 ms on average for evenly spread
// lines), and the program's CPU (target under half of one core). Then the same race fed as fast as it
// goes through the main window with four result windows, once without the web view and once serving
// 200 live clients: the desktop's lines per second should not drop by more than 10 %.

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QWebSocket>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <fstream>
#include <memory>
#include <mutex>
#include <sstream>
#include <unistd.h>
#include <unordered_map>
#include <vector>

#include "comm_settings_file.h"
#include "kavendor_comm.h"
#include "layout_store.h"
#include "main_window.h"
#include "race_session.h"
#include "settings_store.h"
#include "ui_prompter.h"
#include "web_view_host.h"

using namespace kav;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int kClients = 200;
constexpr double kLinesPerSecond = 250;
constexpr int kSeconds = 30;

double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// A number after "key": in a JSON text, or -1.
qint64 numberAfter(const QString& text, QLatin1String key)
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
double cpuSeconds(qint64 pid)
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

// The live clients, in a thread of their own so that reading them never delays the feed.
class ClientPool : public QObject {
public:
    explicit ClientPool(const std::vector<std::atomic<Clock::rep>>& sent) : m_sent(sent) {}

    void openAll(quint16 port)
    {
        for (int i = 0; i < kClients; ++i) {
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
    std::vector<double> pushDelays, lineDelays;
    std::atomic<int> snapshots = 0, dropped = 0, caughtUp = 0;

private:
    void receive(const QString& text, qint64& seen)
    {
        const auto now = Clock::now().time_since_epoch().count();
        const qint64 lines = numberAfter(text, QLatin1String("\"lines\":"));
        if (text.contains(QLatin1String("\"type\":\"snapshot\""))) {
            ++snapshots;
            seen = std::max<qint64>(lines, 0);
            return;
        }
        const qint64 stamp = numberAfter(text, QLatin1String("\"time\":"));
        const std::lock_guard guard(lock);
        if (stamp > 0 && text.contains(QLatin1String("\"delta\"")))
            pushDelays.push_back(static_cast<double>(QDateTime::currentMSecsSinceEpoch() - stamp));
        const auto total = static_cast<qint64>(m_sent.size());
        for (qint64 line = seen + 1; line <= std::min(lines, total); ++line) {
            const Clock::rep sentAt = m_sent[static_cast<std::size_t>(line - 1)].load();
            lineDelays.push_back(std::chrono::duration<double, std::milli>(Clock::duration(now - sentAt)).count());
        }
        if (seen < total && lines >= total)
            ++caughtUp;
        seen = std::max(seen, lines);
    }

    const std::vector<std::atomic<Clock::rep>>& m_sent;
    std::unordered_map<QWebSocket*, qint64> m_seen;
};

double percentile(std::vector<double> values, double fraction)
{
    if (values.empty())
        return -1;
    const auto at = values.begin() + static_cast<std::ptrdiff_t>(fraction * static_cast<double>(values.size() - 1));
    std::nth_element(values.begin(), at, values.end());
    return *at;
}

// A layout of one result window of each kind with every column, named in Kavendor.ini, and the feed
// connection to the benchmark's own server.
void writeConfig(const QTemporaryDir& dir, quint16 feedPort)
{
    const std::string layout = dir.filePath("bench.kvl").toStdString();
    const std::uint8_t kinds[] = {4, 1, 2, 3};
    for (int n = 1; n <= 4; ++n) {
        TResultWinRec rec;
        rec.Number = static_cast<std::uint8_t>(n);
        rec.Layout = kinds[n - 1];
        for (std::uint8_t id = 0; id < kColumnIds; ++id)
            rec.ColRel[id] = id;
        rec.WinPos = {300, 400, 20 * n, 20 * n, TWindowState::Normal, n == 1};
        WriteResultWin(layout, rec);
    }
    TMainSettings settings;
    settings.LayoutFile = layout;
    settings.MainWin = {768, 1024, 0, 0, TWindowState::Normal, false};
    WriteMainSettings(dir.filePath("Kavendor.ini").toStdString(), settings, false);
    TCommSettings comm;
    comm.CommType = TCommType::TCPIP;
    comm.TCPIP_Addr = QStringLiteral("127.0.0.1");
    comm.TCPIP_Port = feedPort;
    SaveCommSettings(dir.filePath("Communication.ini"), comm);
}

std::vector<QByteArray> raceLines()
{
    TSimOptions sim;
    sim.cars = 100;
    sim.laps = 30;
    std::vector<QByteArray> lines;
    for (const TSimLine& line : SimulateSession(sim)) {
        lines.push_back(QByteArray::fromStdString(line.text) + '\n');
        if (lines.size() >= static_cast<std::size_t>(kLinesPerSecond * kSeconds))
            break;
    }
    return lines;
}

template <typename Condition>
bool waitFor(Condition&& condition, int milliseconds)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition() && timer.elapsed() < milliseconds)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return condition();
}

// The program on the benchmark's feed server with the web view on any free port; its port, or 0.
quint16 startProgram(QProcess& program, const QTemporaryDir& dir)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(KAV_PROGRAM), {"--config-dir", dir.path(), "--web", "0", "--web-bind", "127.0.0.1"});
    QByteArray said;
    waitFor(
        [&] {
            said += program.readAllStandardError();
            return said.contains("web view on") && said.endsWith('\n');
        },
        20000);
    const qsizetype colon = said.lastIndexOf(':');
    return colon < 0 ? 0 : static_cast<quint16>(said.mid(colon + 1).split('/').first().toUInt());
}

void BM_TwoHundredLiveClientsDuringA250LinesPerSecondRace(benchmark::State& state)
{
    const std::vector<QByteArray> lines = raceLines();
    std::vector<std::atomic<Clock::rep>> sent(lines.size());
    for (auto _ : state) {
        QTemporaryDir dir;
        QTcpServer feed;
        feed.listen(QHostAddress::LocalHost);
        writeConfig(dir, feed.serverPort());
        QProcess program;
        const quint16 port = startProgram(program, dir);
        if (port == 0 || !waitFor([&] { return feed.hasPendingConnections(); }, 20000)) {
            state.SkipWithError("the program did not start its web view or connect");
            break;
        }
        std::unique_ptr<QTcpSocket> peer(feed.nextPendingConnection());
        QThread thread;
        ClientPool pool(sent);
        pool.moveToThread(&thread);
        thread.start();
        QMetaObject::invokeMethod(&pool, [&pool, port] { pool.openAll(port); });
        if (!waitFor([&] { return pool.snapshots == kClients; }, 30000))
            state.SkipWithError("not every client got the state");

        const double cpuBefore = cpuSeconds(program.processId());
        const auto start = Clock::now();
        std::size_t next = 0;
        while (next < lines.size()) {
            const auto due = static_cast<std::size_t>(millisecondsSince(start) * kLinesPerSecond / 1000.0);
            for (; next < lines.size() && next <= due; ++next) {
                sent[next] = Clock::now().time_since_epoch().count();
                peer->write(lines[next]);
            }
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        }
        const double seconds = millisecondsSince(start) / 1000.0;
        const double cpu = cpuSeconds(program.processId()) - cpuBefore;
        if (!waitFor([&] { return pool.caughtUp + pool.dropped >= kClients; }, 10000))
            state.SkipWithError("not every client saw the last line");
        QMetaObject::invokeMethod(
            &pool, [&pool] { pool.closeAll(); }, Qt::BlockingQueuedConnection);
        thread.quit();
        thread.wait();
        {
            const std::lock_guard guard(pool.lock);
            state.counters["push_median_ms"] = percentile(pool.pushDelays, 0.5);
            state.counters["push_p99_ms"] = percentile(pool.pushDelays, 0.99);
            state.counters["line_to_page_median_ms"] = percentile(pool.lineDelays, 0.5);
            state.counters["line_to_page_p99_ms"] = percentile(pool.lineDelays, 0.99);
            state.counters["updates_received"] = static_cast<double>(pool.pushDelays.size());
        }
        state.counters["program_cpu_cores"] = cpu / seconds;
        state.counters["clients_dropped"] = pool.dropped.load();
        state.counters["lines_per_second"] = static_cast<double>(lines.size()) / seconds;
        program.terminate();
        program.waitForFinished(10000);
    }
}
BENCHMARK(BM_TwoHundredLiveClientsDuringA250LinesPerSecondRace)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1);

// The race through the main window itself, as fast as the event loop goes, with the web view off (0)
// or serving 200 live clients (1).
void BM_RaceOverTcpFourWindows(benchmark::State& state)
{
    const bool web = state.range(0) == 1;
    const std::vector<QByteArray> lines = raceLines();
    QByteArray feed;
    for (const QByteArray& line : lines)
        feed += line;
    std::vector<std::atomic<Clock::rep>> sent(lines.size());
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir dir;
        QTcpServer server;
        server.listen(QHostAddress::LocalHost);
        writeConfig(dir, server.serverPort());
        TMainOptions options;
        options.ConfigDir = dir.path() + QLatin1Char('/');
        options.ProgramDir = options.ConfigDir;
        auto window = std::make_unique<TFMain>(options);
        window->show();
        qint64 received = 0;
        QObject::connect(window->Device(), &TDevice::lineReceived, [&received] { ++received; });
        std::unique_ptr<WebViewHost> host;
        QThread thread;
        ClientPool pool(sent);
        if (web) {
            host = std::make_unique<WebViewHost>(*window, 0, QStringLiteral("127.0.0.1"), QString());
            QString error;
            host->start(error);
            const quint16 port = static_cast<quint16>(host->address().section(u':', -1).section(u'/', 0, 0).toUInt());
            pool.moveToThread(&thread);
            thread.start();
            QMetaObject::invokeMethod(&pool, [&pool, port] { pool.openAll(port); });
            if (!waitFor([&] { return pool.snapshots == kClients; }, 30000))
                state.SkipWithError("not every client got the state");
        }
        if (!waitFor([&] { return server.hasPendingConnections(); }, 10000)) {
            state.SkipWithError("the program did not connect");
            break;
        }
        std::unique_ptr<QTcpSocket> peer(server.nextPendingConnection());
        state.ResumeTiming();
        peer->write(feed);
        if (!waitFor([&] { return received >= static_cast<qint64>(lines.size()); }, 120000))
            state.SkipWithError("not every line arrived");
        state.PauseTiming();
        if (web) {
            QMetaObject::invokeMethod(
                &pool, [&pool] { pool.closeAll(); }, Qt::BlockingQueuedConnection);
            thread.quit();
            thread.wait();
            state.counters["clients_dropped"] = pool.dropped.load();
        }
        host.reset();
        window.reset();
        peer.reset();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(lines.size()));
}
BENCHMARK(BM_RaceOverTcpFourWindows)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// Nobody answers questions in a benchmark.
class SilentPrompter : public TUiPrompter {
public:
    TAnswer Ask(TBoxKind, const QString&, bool, QWidget*) override { return TAnswer::No; }
    void Tell(TBoxKind, const QString&, QWidget*) override {}
};

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    SilentPrompter prompter;
    SetPrompter(&prompter);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    SetPrompter(nullptr);
    return 0;
}
