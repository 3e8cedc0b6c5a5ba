// Lines per second through the channels into a counting receiver: TCP over the loopback, and a
// serial pty pair carrying 1 MB at 230400 baud with every line checked to arrive in order.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtCore/qtestsupport_core.h>

#include <cstdio>
#include <memory>
#include <thread>

#include "kavendor_device.h"
#include "pty_pair.h"

namespace {

constexpr int kTcpLinesPerRound = 100000;
constexpr qsizetype kSerialBytes = 1024 * 1024;
constexpr int kTimeoutMs = 120000;

// Numbered $G lines of a realistic length, so that the receiver can check their order.
QByteArray numberedLines(int first, int count)
{
    QByteArray feed;
    for (int i = first; i < first + count; ++i)
        feed += "$G," + QByteArray::number(i % 52 + 1) + ",\"" + QByteArray::number(i) + "\"," +
                QByteArray::number(i % 60) + ",\"00:12:34.567\"\r\n";
    return feed;
}

// Counts the lines and checks that each carries the next number.
struct CountingReceiver {
    int count = 0;
    int outOfOrder = 0;

    void take(const QByteArray& line)
    {
        const qsizetype open = line.indexOf('"');
        const qsizetype close = line.indexOf('"', open + 1);
        if (line.mid(open + 1, close - open - 1).toInt() != count)
            ++outOfOrder;
        ++count;
    }
};

void BM_TcpLoopbackLines(benchmark::State& state)
{
    QTcpServer server;
    server.listen(QHostAddress::LocalHost);
    CountingReceiver receiver;
    kav::KavendorDevice device;
    QObject::connect(&device, &kav::Device::lineReceived, [&](const QByteArray& line) { receiver.take(line); });
    device.Settings.CommType = kav::CommunicationType::TCPIP;
    device.Settings.TCPIP_Addr = QStringLiteral("127.0.0.1");
    device.Settings.TCPIP_Port = server.serverPort();
    device.open();
    if (!server.waitForNewConnection(5000))
        return state.SkipWithError("no connection");
    std::unique_ptr<QTcpSocket> feed(server.nextPendingConnection());

    int sent = 0;
    for (auto _ : state) {
        feed->write(numberedLines(sent, kTcpLinesPerRound));
        sent += kTcpLinesPerRound;
        if (!QTest::qWaitFor([&] { return receiver.count == sent; }, kTimeoutMs))
            return state.SkipWithError("lines did not arrive");
    }
    if (receiver.outOfOrder > 0)
        state.SkipWithError("lines out of order");
    state.counters["lines/s"] = benchmark::Counter(receiver.count, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_TcpLoopbackLines)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SerialPty1MB(benchmark::State& state)
{
    if (!kav::PtyPair::available())
        return state.SkipWithError("socat is not installed");
    for (auto _ : state) {
        kav::PtyPair pty;
        CountingReceiver receiver;
        kav::KavendorDevice device;
        QObject::connect(&device, &kav::Device::lineReceived, [&](const QByteArray& line) { receiver.take(line); });
        device.Settings.CommType = kav::CommunicationType::RS232;
        device.Settings.S_Baudrate = 230400;
        device.Settings.S_Device = pty.deviceA();
        device.open();
        QByteArray feed;
        int lines = 0;
        for (; feed.size() < kSerialBytes; lines += 1000)
            feed += numberedLines(lines, 1000);
        std::thread writer([&] { pty.write(feed); });
        const bool arrived = QTest::qWaitFor([&] { return receiver.count == lines; }, kTimeoutMs);
        writer.join();
        if (!arrived || receiver.outOfOrder > 0)
            return state.SkipWithError("lines lost or out of order");
        state.counters["lines/s"] = benchmark::Counter(lines, benchmark::Counter::kIsRate);
        state.counters["bytes/s"] = benchmark::Counter(static_cast<double>(feed.size()), benchmark::Counter::kIsRate);
    }
}
BENCHMARK(BM_SerialPty1MB)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::puts("targets: TCP at least 100000 lines/s; serial 1 MB complete and in order "
              "(a real line at 230400 baud carries about 23 kB/s)");
    return 0;
}
