// The main loop's speed: lines of a 100-car race from ReceiveString to cells written in the results
// models shown by ten open 100-row result windows (all kinds, every column), with the windows shown
// offscreen and repainted once per 16 ms frame, and without the frames; the leader's lap snapshot,
// which refills the completed-lap and track views; and a refill of every kind at 1000 rows.
// Targets: at least 40,000 lines per second painted and 200,000 without the frames; a snapshot under
// 20 ms; the refill of ten 1000-row windows under 10 ms.

#include "col_sett_dlg.h"
#include "controller.h"
#include "f_message.h"
#include "f_results.h"
#include "gen_info_panel.h"

#include <QApplication>
#include <QElapsedTimer>
#include <benchmark/benchmark.h>
#include <memory>
#include <string>
#include <vector>

using namespace kav;

namespace {

constexpr int kWindows = 10;
// The windows repaint once per screen frame, as the event loop does under a fast feed.
constexpr qint64 kFrameMs = 16;
constexpr std::uint8_t kKinds[kWindows] = {1, 1, 2, 2, 3, 3, 4, 4, 4, 1};

std::string Quoted(const std::string& text)
{
    return "\"" + text + "\"";
}

std::string TimeText(long long ticks)
{
    return Quoted(TimeToText(static_cast<TimeValue>(ticks)));
}

// A race as the timing computer sends it: competitors, then per crossing $J, $G and $H, and a $F
// heartbeat every few crossings; cars keep their order apart from one place swap per lap.
std::vector<QByteArray> RaceStream(int cars, int laps)
{
    std::vector<QByteArray> lines;
    auto add = [&lines](const std::string& line) { lines.push_back(QByteArray::fromStdString(line + "\n")); };
    add("$I,\"12:00:00\",\"26 Nov\"");
    for (int car = 1; car <= cars; ++car)
        add("$A," + Quoted(std::to_string(car)) + "," + Quoted(std::to_string(car + 100)) + ",1234," +
            Quoted("First" + std::to_string(car)) + "," + Quoted("Lastname" + std::to_string(car)) + ",\"NED\",1");
    for (int lap = 1; lap <= laps; ++lap) {
        for (int place = 1; place <= cars; ++place) {
            const int car = (place == 2 && lap % 2 == 0) ? 3 : (place == 3 && lap % 2 == 0) ? 2 : place;
            const long long lapTime = 900000 + car * 1000 + (lap * 37 % 11) * 100;
            const long long total = lap * 900000LL + place * 5000;
            const std::string regNo = Quoted(std::to_string(car));
            add("$J," + regNo + "," + TimeText(lapTime) + ",\"12:00:00.000\"");
            add("$G," + std::to_string(place) + "," + regNo + "," + std::to_string(lap) + "," + TimeText(total));
            add("$H," + std::to_string(place) + "," + regNo + ",1," + TimeText(900000 + place * 100));
            if (place % 5 == 0)
                add("$F,9999,\"00:00:00\",\"12:00:00\"," + TimeText(total) + ",\"Green \"");
        }
    }
    return lines;
}

struct TScreen {
    TMainSettings Settings;
    THeaderRec Headers = DefaultHeaders();
    TColSettDlg Dialog;
    TGenInfoPanel Panel;
    TMessage Message;
    TSystemClock Clock;
    TDevice Device;
    TController Ctl{Device, Settings, Panel, Message, Clock};
    std::vector<std::unique_ptr<TFResults>> Windows;

    TScreen()
    {
        Settings.TrackLength = 4000;
        Ctl.Content.GrowRows(100);
        for (std::uint8_t kind : kKinds) {
            TResultWinRec rec;
            rec.Layout = kind;
            for (std::uint8_t id = 0; id < kColumnIds; ++id)
                rec.ColRel[id] = id;
            auto window = std::make_unique<TFResults>(Ctl.Models, Headers, Dialog);
            window->ApplyLayout(rec);
            window->resize(1400, 900);
            window->show();
            Ctl.Windows.Add(window.get());
            Windows.push_back(std::move(window));
        }
        QApplication::processEvents();
    }
};

TScreen* g_screen = nullptr;

void BM_RaceStream(benchmark::State& state)
{
    const std::vector<QByteArray> lines = RaceStream(100, 10);
    QElapsedTimer frame;
    for (auto _ : state) {
        frame.start();
        for (const QByteArray& line : lines) {
            g_screen->Ctl.Records.ReceiveString(line);
            if (frame.elapsed() >= kFrameMs) {
                QApplication::processEvents();
                frame.restart();
            }
        }
        QApplication::processEvents();
    }
    state.SetItemsProcessed(state.iterations() * static_cast<long long>(lines.size()));
}
BENCHMARK(BM_RaceStream)->Unit(benchmark::kMillisecond);

// The same stream up to the cells written, without the frames painted in between: what record
// processing and content building cost on their own.
void BM_RaceStreamCellsOnly(benchmark::State& state)
{
    const std::vector<QByteArray> lines = RaceStream(100, 10);
    for (auto _ : state) {
        for (const QByteArray& line : lines)
            g_screen->Ctl.Records.ReceiveString(line);
        state.PauseTiming();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * static_cast<long long>(lines.size()));
}
BENCHMARK(BM_RaceStreamCellsOnly)->Unit(benchmark::kMillisecond);

void BM_LapSnapshot(benchmark::State& state)
{
    const int cars = static_cast<int>(state.range(0));
    for (const QByteArray& line : RaceStream(cars, 2))
        g_screen->Ctl.Records.ReceiveString(line);
    for (auto _ : state)
        TRacePositions(g_screen->Ctl.State, g_screen->Ctl.Content).TakeLapSnapshot();
    state.counters["rows"] = g_screen->Ctl.State.RowCount;
}
BENCHMARK(BM_LapSnapshot)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

void BM_RefillAll(benchmark::State& state)
{
    for (auto _ : state)
        g_screen->Ctl.Content.RefillAll();
    state.counters["rows"] = g_screen->Ctl.State.RowCount;
}
BENCHMARK(BM_RefillAll)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    auto screen = std::make_unique<TScreen>();
    g_screen = screen.get();
    benchmark::RunSpecifiedBenchmarks();
    screen.reset();
    benchmark::Shutdown();
    return 0;
}
