// Publishing to an MQTT broker, offscreen, against a Mosquitto broker of the benchmark's own on a
// loopback port: the CPU that publishing a 100-car race at 250 lines per second adds to the program
// (target under 5 %), and the delay from a line received by the publishing program to the same line
// processed by a subscribing one (target: median under 20 ms).

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>
#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "broker_link.h"
#include "communication_settings_file.h"
#include "main_window.h"
#include "race_session.h"
#include "test_broker.h"
#include "ui_prompter.h"

using namespace kav;

namespace {

constexpr int kLinesPerSecond = 250;
constexpr int kLines = 1500; // six seconds of the race

std::vector<QByteArray> raceLines()
{
    SimOptions sim;
    sim.cars = 100;
    sim.laps = 30;
    std::vector<QByteArray> lines;
    for (const SimLine& line : simulateSession(sim)) {
        lines.push_back(QByteArray::fromStdString(line.text) + '\n');
        if (lines.size() == kLines)
            break;
    }
    return lines;
}

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

MainWindowOptions windowOptions(const QTemporaryDir& dir, bool channel)
{
    MainWindowOptions options;
    options.ConfigDir = dir.path() + QLatin1Char('/');
    options.ProgramDir = options.ConfigDir;
    options.UseChannel = channel;
    return options;
}

// Feeds the lines into the window at the race's pace, 10 every 40 ms; calls sent(index) for each.
void paceLines(MainWindow& window, const std::vector<QByteArray>& lines, const std::function<void(std::size_t)>& sent)
{
    std::size_t next = 0;
    QTimer pace;
    pace.setTimerType(Qt::PreciseTimer);
    pace.setInterval(1000 * 10 / kLinesPerSecond);
    QObject::connect(&pace, &QTimer::timeout, [&] {
        for (int i = 0; i < 10 && next < lines.size(); ++i, ++next) {
            sent(next);
            window.device()->receiveBytes(lines[next]);
        }
    });
    pace.start();
    while (next < lines.size())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

// The program's CPU while the race runs in, in percent of one core.
double cpuPercent(const std::vector<QByteArray>& lines, test::TestBroker* broker)
{
    QTemporaryDir dir;
    BrokerLink link;
    MainWindow window(windowOptions(dir, false));
    window.show();
    window.activateFirstTime();
    for (std::uint8_t kind : {kLayoutCurrentRace, kLayoutCompletedLap, kLayoutPractice, kLayoutTrackPositions}) {
        ResultWindowSettings rec;
        rec.Layout = kind;
        for (std::uint8_t id = 0; id < kColumnIds; ++id)
            rec.ColRel[id] = id;
        window.openResultWindow(rec);
    }
    link.attach(window, window.controller(), QString(), broker ? broker->address() : QString(),
                QStringLiteral("bench/race"));
    QElapsedTimer wall;
    wall.start();
    const double cpu = cpuSeconds();
    paceLines(window, lines, [](std::size_t) {});
    const double percent = 100.0 * (cpuSeconds() - cpu) / (double(wall.nsecsElapsed()) / 1e9);
    link.finish();
    return percent;
}

void BM_PublishingCpuAt250LinesPerSecond(benchmark::State& state)
{
    test::TestBroker broker;
    if (!broker.start()) {
        state.SkipWithError(broker.error().toStdString().c_str());
        return;
    }
    const std::vector<QByteArray> lines = raceLines();
    double without = 0, with = 0;
    for (auto _ : state) {
        without = cpuPercent(lines, nullptr);
        with = cpuPercent(lines, &broker);
    }
    state.counters["cpu_percent_without_broker"] = without;
    state.counters["cpu_percent_publishing"] = with;
    state.counters["added_cpu_percent"] = with - without;
}
BENCHMARK(BM_PublishingCpuAt250LinesPerSecond)->Unit(benchmark::kSecond)->UseRealTime()->Iterations(1);

// A publishing program and a display fed by the broker, both in this process; each line's delay from
// the publisher's device to the display's.
void BM_LineDelayPublisherToSubscriber(benchmark::State& state)
{
    test::TestBroker broker;
    if (!broker.start()) {
        state.SkipWithError(broker.error().toStdString().c_str());
        return;
    }
    const std::vector<QByteArray> lines = raceLines();
    std::vector<double> delays;
    for (auto _ : state) {
        QTemporaryDir publisherDir, displayDir;
        CommunicationSettings comm;
        comm.CommType = CommunicationType::MQTT;
        comm.mqtt.connection.host = QStringLiteral("127.0.0.1");
        comm.mqtt.connection.port = broker.port();
        comm.mqtt.topic = QStringLiteral("bench/race");
        saveCommunicationSettings(displayDir.filePath("Communication.ini"), comm);
        BrokerLink publisherLink, displayLink;
        MainWindow publisher(windowOptions(publisherDir, false));
        MainWindowOptions displayOptions = windowOptions(displayDir, true);
        displayOptions.MqttChannelMaker = displayLink.feedChannelMaker();
        MainWindow display(displayOptions);
        publisherLink.attach(publisher, publisher.controller(), QString(), broker.address(),
                             QStringLiteral("bench/race"));
        QElapsedTimer clock;
        clock.start();
        std::vector<qint64> sentAt(lines.size(), 0);
        std::size_t received = 0;
        delays.clear();
        QObject::connect(display.device(), &Device::lineReceived, [&](const QByteArray&) {
            if (received < lines.size())
                delays.push_back(double(clock.nsecsElapsed() - sentAt[received++]) / 1e6);
        });
        QElapsedTimer guard;
        guard.start();
        while ((publisherLink.publisher().brokerStatus().state != BrokerStatus::State::Connected ||
                !displayLink.statusText().startsWith(QLatin1String("Feed from"))) &&
               guard.elapsed() < 10000)
            QApplication::processEvents(QEventLoop::AllEvents, 10);
        paceLines(publisher, lines, [&](std::size_t index) { sentAt[index] = clock.nsecsElapsed(); });
        while (received < lines.size() && guard.elapsed() < 60000)
            QApplication::processEvents(QEventLoop::AllEvents, 10);
        if (received < lines.size())
            state.SkipWithError("not every line reached the display");
    }
    std::sort(delays.begin(), delays.end());
    if (!delays.empty()) {
        state.counters["median_delay_ms"] = delays[delays.size() / 2];
        state.counters["p99_delay_ms"] = delays[delays.size() * 99 / 100];
    }
    state.counters["lines"] = double(delays.size());
}
BENCHMARK(BM_LineDelayPublisherToSubscriber)->Unit(benchmark::kSecond)->UseRealTime()->Iterations(1);

} // namespace
