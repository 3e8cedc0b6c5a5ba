// A big event's crowd: 2,000 live clients through nginx to two relays (the program without a window,
// fed by a Mosquitto broker) while the desktop takes the simulated 100-car race over TCP at 250 lines
// a second and publishes it to the broker. Figures: the push delay, from a relay making an update to a
// client having it, and the delay of each line from its writing to the desktop's socket to a client
// having it (median and 99th percentile); the clients served to the last line and those dropped; and
// the desktop's CPU in rounds with no viewers and with 2,000, alternately, which should not differ:
// the crowd never reaches the desktop. The delays are those of 200 of the clients, read in this
// process; the other 1,800 run in a process of their own at the lowest priority, as at a track they
// are other machines (on this 2-core machine they would otherwise take the CPU of what is measured).

#include <QApplication>
#include <QProcess>
#include <QTcpServer>
#include <benchmark/benchmark.h>

#include <memory>

#include "live_clients.h"
#include "relays.h"

using namespace kav;
using namespace kav::bench;

namespace {

constexpr int kViewers = 2000;
constexpr int kMeasured = 200;
constexpr double kLinesPerSecond = 250;
constexpr int kSeconds = 20;
constexpr int kRoundsEach = 2;

struct Figures {
    std::vector<double> publishDelays, lineDelays, cpuWithout, cpuWith;
    int served = 0, dropped = 0;
};

// Waits until the process has said `text` on its standard error; what it said when it did not.
QString waitForSaying(QProcess& process, const QByteArray& text)
{
    QByteArray said;
    const bool saidIt = waitFor(
        [&] {
            said += process.readAllStandardError();
            return said.contains(text);
        },
        20000);
    return saidIt ? QString() : QStringLiteral("a relay did not say \"%1\" but: %2").arg(text, said);
}

bool listening(quint16 port)
{
    return waitFor(
        [port] {
            QTcpSocket probe;
            probe.connectToHost(QHostAddress::LocalHost, port);
            return probe.waitForConnected(200);
        },
        20000);
}

// One round: the whole set-up made anew, `viewers` clients through the proxy, the race fed on time.
// An empty string when it went through, else what failed.
QString relayRound(int viewers, const std::vector<QByteArray>& lines, const std::vector<double>& due, Figures& figures)
{
    test::TestBroker broker;
    if (!broker.start())
        return broker.error();
    QTemporaryDir dir;
    const QList<quint16> ports = freePorts(3);
    const quint16 proxyPort = ports[0], firstPort = ports[1], secondPort = ports[2];
    Relay first(dir, "relay-1", broker, firstPort, kViewers), second(dir, "relay-2", broker, secondPort, kViewers);
    Proxy proxy(dir, proxyPort, {firstPort, secondPort});
    for (Relay* relay : {&first, &second}) {
        if (const QString failed = waitForSaying(relay->process, "feed connected"); !failed.isEmpty())
            return failed;
    }
    if (!listening(proxyPort))
        return QStringLiteral("nginx did not start: ") +
               QString::fromStdString(readFile((proxy.folder + "/error.log").toStdString()));

    QTcpServer server;
    server.listen(QHostAddress::LocalHost);
    QTemporaryDir desk;
    writeConfig(desk, server.serverPort(), {4, 1, 2, 3}, 200);
    QProcess desktop;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    desktop.setProcessEnvironment(environment);
    desktop.start(QStringLiteral(KAV_PROGRAM), {"--config-dir", desk.path(), "--mqtt", broker.address()});
    if (!waitFor([&] { return server.hasPendingConnections(); }, 20000))
        return QStringLiteral("the desktop did not connect to the feed");
    std::unique_ptr<QTcpSocket> peer(server.nextPendingConnection());

    FeedTimes feed(lines.size(), 750);
    ClientThread clients(feed);
    ClientPool& pool = clients.pool;
    const int measured = std::min(viewers, kMeasured), crowd = viewers - measured;
    std::unique_ptr<ClientProcess> others;
    if (crowd > 0) {
        others = std::make_unique<ClientProcess>(proxyPort, crowd, static_cast<qint64>(lines.size()));
        if (!others->waitUntilSaid("ready\n", 120000))
            return QStringLiteral("not all of %1 clients got the state").arg(crowd);
    }
    clients.open(proxyPort, measured);
    if (!waitFor([&] { return pool.snapshots == measured; }, 60000))
        return QStringLiteral("%1 of %2 clients got the state").arg(pool.snapshots.load()).arg(measured);
    const double cpuBefore = cpuSeconds(desktop.processId());
    const auto start = Clock::now();
    feedOnTime(*peer, lines, due, feed);
    const double cores = (cpuSeconds(desktop.processId()) - cpuBefore) / (millisecondsSince(start) / 1000.0);
    (viewers > 0 ? figures.cpuWith : figures.cpuWithout).push_back(cores);
    if (!waitFor([&] { return pool.caughtUp + pool.dropped >= measured; }, 30000))
        return QStringLiteral("%1 of %2 clients saw the last line").arg(pool.caughtUp.load()).arg(measured);
    if (others && !others->waitUntilSaid("caught up\n", 120000))
        return QStringLiteral("not all of %1 clients saw the last line; %2 dropped").arg(crowd).arg(others->dropped());
    clients.stop();
    figures.served += pool.caughtUp + crowd;
    figures.dropped += pool.dropped + (others ? others->dropped() : 0);
    figures.publishDelays.insert(figures.publishDelays.end(), pool.publishDelays.begin(), pool.publishDelays.end());
    figures.lineDelays.insert(figures.lineDelays.end(), pool.lineDelays.begin(), pool.lineDelays.end());
    desktop.terminate();
    desktop.waitForFinished(10000);
    return {};
}

void BM_TwoThousandClientsThroughAProxyToTwoRelays(benchmark::State& state)
{
    const std::vector<QByteArray> lines = raceLines(static_cast<std::size_t>(kLinesPerSecond * kSeconds));
    std::vector<double> due(lines.size());
    for (std::size_t i = 0; i < due.size(); ++i)
        due[i] = 1000.0 * static_cast<double>(i) / kLinesPerSecond;
    Figures figures;
    for (auto _ : state) {
        // Alternating rounds, so that the other work on the machine weighs on both alike.
        for (int round = 0; round < 2 * kRoundsEach; ++round) {
            const QString failed = relayRound(round % 2 == 0 ? 0 : kViewers, lines, due, figures);
            if (!failed.isEmpty())
                return state.SkipWithError(failed.toStdString().c_str());
        }
    }
    state.counters["viewers"] = kViewers;
    state.counters["clients_served_per_round"] = figures.served / kRoundsEach;
    state.counters["clients_dropped"] = figures.dropped;
    state.counters["update_to_client_median_ms"] = percentile(figures.publishDelays, 0.5);
    state.counters["update_to_client_p99_ms"] = percentile(figures.publishDelays, 0.99);
    state.counters["line_to_client_median_ms"] = percentile(figures.lineDelays, 0.5);
    state.counters["line_to_client_p99_ms"] = percentile(figures.lineDelays, 0.99);
    const double without = percentile(figures.cpuWithout, 0.5), with = percentile(figures.cpuWith, 0.5);
    state.counters["desktop_cpu_cores_no_viewers"] = without;
    state.counters["desktop_cpu_cores_2000_viewers"] = with;
    state.counters["desktop_cpu_change_percent"] = 100.0 * (with - without) / without;
}
BENCHMARK(BM_TwoThousandClientsThroughAProxyToTwoRelays)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

} // namespace
