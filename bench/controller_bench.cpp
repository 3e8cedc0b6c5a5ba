// The main loop's speed: lines of a 100-car race from receiveString to cells written in the results
// models shown by ten open 100-row result windows (all kinds, every column), with the windows shown
// offscreen and repainted once per 16 ms frame, and without the frames; the leader's lap snapshot,
// which refills the completed-lap and track views; and a refill of every kind at 1000 rows.
// Targets: at least 40,000 lines per second painted and 200,000 without the frames; a snapshot under
// 20 ms; the refill of ten 1000-row windows under 10 ms.

#include "column_settings_dialog.h"
#include "controller.h"
#include "general_info_panel.h"
#include "result_window.h"
#include "stand_by_message.h"

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

std::string quoted(const std::string& text)
{
    return "\"" + text + "\"";
}

std::string timeText(long long ticks)
{
    return quoted(timeToText(static_cast<TimeValue>(ticks)));
}

// A race as the timing computer sends it: competitors, then per crossing $J, $G and $H, and a $F
// heartbeat every few crossings; cars keep their order apart from one place swap per lap.
std::vector<QByteArray> raceStream(int cars, int laps)
{
    std::vector<QByteArray> lines;
    auto add = [&lines](const std::string& line) { lines.push_back(QByteArray::fromStdString(line + "\n")); };
    add("$I,\"12:00:00\",\"26 Nov\"");
    for (int car = 1; car <= cars; ++car)
        add("$A," + quoted(std::to_string(car)) + "," + quoted(std::to_string(car + 100)) + ",1234," +
            quoted("First" + std::to_string(car)) + "," + quoted("Lastname" + std::to_string(car)) + ",\"NED\",1");
    for (int lap = 1; lap <= laps; ++lap) {
        for (int place = 1; place <= cars; ++place) {
            const int car = (place == 2 && lap % 2 == 0) ? 3 : (place == 3 && lap % 2 == 0) ? 2 : place;
            const long long lapTime = 900000 + car * 1000 + (lap * 37 % 11) * 100;
            const long long total = lap * 900000LL + place * 5000;
            const std::string regNo = quoted(std::to_string(car));
            add("$J," + regNo + "," + timeText(lapTime) + ",\"12:00:00.000\"");
            add("$G," + std::to_string(place) + "," + regNo + "," + std::to_string(lap) + "," + timeText(total));
            add("$H," + std::to_string(place) + "," + regNo + ",1," + timeText(900000 + place * 100));
            if (place % 5 == 0)
                add("$F,9999,\"00:00:00\",\"12:00:00\"," + timeText(total) + ",\"Green \"");
        }
    }
    return lines;
}

struct ScreenWindows {
    ProgramSettings Settings;
    HeaderTexts Headers = defaultHeaders();
    ColumnSettingsDialog Dialog;
    GeneralInfoPanel Panel;
    StandByMessage Message;
    SystemClock Clock;
    Device Source;
    Controller Ctl{Source, Settings, Message, Clock};
    std::vector<std::unique_ptr<ResultWindow>> Windows;

    ScreenWindows()
    {
        Panel.watch(Ctl.Info);
        Settings.change([](MainSettings& settings) { settings.TrackLength = 4000; });
        Ctl.Content.growRows(100);
        for (std::uint8_t kind : kKinds) {
            ResultWindowSettings rec;
            rec.Layout = kind;
            for (std::uint8_t id = 0; id < kColumnIds; ++id)
                rec.ColRel[id] = id;
            auto window = std::make_unique<ResultWindow>(Ctl.Models, Headers, Dialog);
            window->applySettings(rec);
            window->resize(1400, 900);
            window->show();
            Ctl.Windows.add(window.get());
            Windows.push_back(std::move(window));
        }
        QApplication::processEvents();
    }
};

ScreenWindows* g_screen = nullptr;

void BM_RaceStream(benchmark::State& state)
{
    const std::vector<QByteArray> lines = raceStream(100, 10);
    QElapsedTimer frame;
    for (auto _ : state) {
        frame.start();
        for (const QByteArray& line : lines) {
            g_screen->Ctl.Records.receiveString(line);
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
    const std::vector<QByteArray> lines = raceStream(100, 10);
    for (auto _ : state) {
        for (const QByteArray& line : lines)
            g_screen->Ctl.Records.receiveString(line);
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
    for (const QByteArray& line : raceStream(cars, 2))
        g_screen->Ctl.Records.receiveString(line);
    for (auto _ : state)
        RacePositions(g_screen->Ctl.State, g_screen->Ctl.Content).takeLapSnapshot();
    state.counters["rows"] = g_screen->Ctl.State.RowCount;
}
BENCHMARK(BM_LapSnapshot)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

void BM_RefillAll(benchmark::State& state)
{
    for (auto _ : state)
        g_screen->Ctl.Content.refillAll();
    state.counters["rows"] = g_screen->Ctl.State.RowCount;
}
BENCHMARK(BM_RefillAll)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    auto screen = std::make_unique<ScreenWindows>();
    g_screen = screen.get();
    benchmark::RunSpecifiedBenchmarks();
    screen.reset();
    benchmark::Shutdown();
    return 0;
}
