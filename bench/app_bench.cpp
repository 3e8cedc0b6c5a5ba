// The whole program at work, offscreen: start-up to a shown main window with a four-window layout
// (target under 1 s), a simulated 100-car race over TCP loopback into ten open result windows (target
// at least 20,000 lines per second; with the race charts window open too, at most 10 % fewer), and peak resident memory
// with ten windows of 1000 rows (target not above 84 MB).

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <fstream>
#include <memory>
#include <string>

#include "communication_settings_file.h"
#include "kavendor_device.h"
#include "layout_store.h"
#include "main_window.h"
#include "race_session.h"
#include "settings_store.h"

using namespace kav;

namespace {

constexpr std::uint8_t kKinds[MainWindow::kMaxResultWindows] = {4, 1, 2, 3, 4, 1, 2, 3, 4, 4};

// Peak resident memory of the process in MB, from the kernel's high-water mark.
double peakResidentMb()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stod(line.substr(6)) / 1024.0;
    }
    return 0;
}

// A layout of `windows` result windows showing every column, and a Kavendor.ini that names it.
void writeConfig(const QTemporaryDir& dir, int windows)
{
    const std::string layout = dir.filePath("bench.kvl").toStdString();
    for (int n = 1; n <= windows; ++n) {
        ResultWindowSettings rec;
        rec.Number = static_cast<std::uint8_t>(n);
        rec.Layout = kKinds[n - 1];
        for (std::uint8_t id = 0; id < kColumnIds; ++id)
            rec.ColRel[id] = id;
        rec.WinPos = {300, 400, 20 * n, 20 * n, WindowState::Normal, n == windows};
        writeResultWindow(layout, rec);
    }
    GeneralInfoItems genInfo;
    resetGeneralInfo(genInfo);
    genInfo[0] = 10;
    genInfo[1] = 1;
    genInfo[2] = 2;
    writeGeneralInfo(layout, genInfo);
    MainSettings settings;
    settings.LayoutFile = layout;
    settings.MainWin = {768, 1024, 0, 0, WindowState::Normal, false};
    writeMainSettings(dir.filePath("Kavendor.ini").toStdString(), settings, false);
}

MainWindowOptions startOptions(const QTemporaryDir& dir, bool channel)
{
    MainWindowOptions options;
    options.ConfigDir = dir.path() + QLatin1Char('/');
    options.ProgramDir = options.ConfigDir;
    options.UseChannel = channel;
    return options;
}

void BM_StartUpWithFourWindowLayout(benchmark::State& state)
{
    QTemporaryDir dir;
    writeConfig(dir, 4);
    for (auto _ : state) {
        auto main = std::make_unique<MainWindow>(startOptions(dir, false));
        main->show();
        QApplication::processEvents();
        if (main->controller().Windows.count() != 4)
            state.SkipWithError("the layout did not open");
        state.PauseTiming();
        main.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
// A simulated race served over TCP loopback to the program's own channel, through record processing
// into ten result windows that the event loop repaints as it goes.
void runRaceOverTcp(benchmark::State& state, int cars, int laps, bool charts = false)
{
    SimOptions sim;
    sim.cars = cars;
    sim.laps = laps;
    QByteArray feed;
    qint64 lines = 0;
    for (const SimLine& line : simulateSession(sim)) {
        feed += QByteArray::fromStdString(line.text);
        feed += '\n';
        ++lines;
    }
    QTemporaryDir dir;
    writeConfig(dir, MainWindow::kMaxResultWindows);
    QTcpServer server;
    server.listen(QHostAddress::LocalHost);
    CommunicationSettings comm;
    comm.CommType = CommunicationType::TCPIP;
    comm.TCPIP_Addr = QStringLiteral("127.0.0.1");
    comm.TCPIP_Port = server.serverPort();
    saveCommunicationSettings(dir.filePath("Communication.ini"), comm);

    for (auto _ : state) {
        auto main = std::make_unique<MainWindow>(startOptions(dir, true));
        main->show();
        if (charts)
            main->controller().RaceCharts.open(main->area());
        qint64 received = 0;
        QObject::connect(main->device(), &Device::lineReceived, [&received] { ++received; });
        QElapsedTimer guard;
        guard.start();
        while (!server.hasPendingConnections() && guard.elapsed() < 10000)
            QApplication::processEvents(QEventLoop::AllEvents, 10);
        std::unique_ptr<QTcpSocket> peer(server.nextPendingConnection());
        if (!peer) {
            state.SkipWithError("the program did not connect");
            break;
        }
        peer->write(feed);
        while (received < lines && guard.elapsed() < 120000)
            QApplication::processEvents();
        if (received < lines)
            state.SkipWithError("not every line arrived");
        state.PauseTiming();
        state.counters["rows"] = main->controller().State.RowCount;
        main.reset(); // first, so that the closed connection asks nothing
        peer.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * lines);
    state.counters["lines"] = static_cast<double>(lines);
}

// 999 cars fill every window to 1000 rows; the peak memory counter is the figure to watch. It runs
// first, in a fresh process: the peak of a program showing these windows, not what the cases before
// it leave in the allocator (after them it reads about 13 MB more).
void BM_PeakMemoryTenWindowsOfThousandRows(benchmark::State& state)
{
    runRaceOverTcp(state, 999, 3);
    state.counters["peak_rss_MB"] = peakResidentMb();
}
BENCHMARK(BM_PeakMemoryTenWindowsOfThousandRows)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(BM_StartUpWithFourWindowLayout)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_RaceOverTcpTenWindows(benchmark::State& state)
{
    runRaceOverTcp(state, 100, 30);
}
BENCHMARK(BM_RaceOverTcpTenWindows)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// The same race with the race charts window open beside the ten windows: within 10 % of the above.
void BM_RaceOverTcpTenWindowsAndCharts(benchmark::State& state)
{
    runRaceOverTcp(state, 100, 30, true);
}
BENCHMARK(BM_RaceOverTcpTenWindowsAndCharts)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

} // namespace
