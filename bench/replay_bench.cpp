// Seeking in a replay, offscreen: the main window with a result window of every kind (every column)
// and the panel built again from the start of an 8-hour, 45,000-line recording of a simulated race with
// pit loops up to its end, and to its middle, then repainted. Target: the seek to the end under 500 ms.

#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <fstream>
#include <memory>

#include "kavendor_device.h"
#include "main_window.h"
#include "race_session.h"
#include "replay_control.h"
#include "replay_feeder.h"

using namespace kav;

namespace {

// Four cars over 332 laps of the Brenmoor Ring: about 8 hours and 45,400 lines.
QString writeLongRace(const QTemporaryDir& dir, qint64& lines)
{
    SimOptions sim;
    sim.cars = 4;
    sim.laps = 332;
    sim.pitLoops = true;
    const QString file = dir.filePath("eight_hours.feed");
    std::ofstream out(file.toStdString(), std::ios::binary);
    lines = 0;
    for (const SimLine& line : simulateSession(sim)) {
        out << line.text << '\n';
        ++lines;
    }
    return file;
}

void seekIn(benchmark::State& state, bool toTheEnd)
{
    QTemporaryDir dir;
    qint64 lines = 0;
    const QString file = writeLongRace(dir, lines);
    MainWindowOptions options;
    options.ProgramDir = dir.path() + QLatin1Char('/');
    options.UseChannel = false;
    options.UseSettingsFiles = false;
    auto main = std::make_unique<MainWindow>(options);
    main->show();
    for (std::uint8_t kind : {kLayoutCurrentRace, kLayoutCompletedLap, kLayoutPractice, kLayoutTrackPositions}) {
        ResultWindowSettings rec;
        rec.Layout = kind;
        rec.TopRow = 1;
        for (std::uint8_t id = 0; id < kFeedColumnIds; ++id)
            rec.ColRel[id] = id;
        main->openResultWindow(rec);
    }
    ReplayFeeder feeder;
    QString error;
    if (!feeder.load(file, error)) {
        state.SkipWithError(error.toStdString().c_str());
        return;
    }
    ReplayControl control(feeder, main->controller(), main->settings());
    control.start(0, [device = main->device()](const QByteArray& line) { device->receiveBytes(line); });
    control.pause();
    const std::int64_t to = toTheEnd ? control.sessionEnd() : (control.sessionStart() + control.sessionEnd()) / 2;
    for (auto _ : state) {
        control.seek(to);
        QApplication::processEvents(); // the windows and the panel show the new state
    }
    if (feeder.linesFed() < (toTheEnd ? lines : lines / 3) || main->controller().Info.finished() != toTheEnd)
        state.SkipWithError("the seek did not feed the recording");
    state.counters["lines"] = static_cast<double>(feeder.linesFed());
    state.counters["lines_per_second"] =
        benchmark::Counter(static_cast<double>(feeder.linesFed()), benchmark::Counter::kIsIterationInvariantRate);
    state.counters["hours"] = static_cast<double>(control.sessionEnd() - control.sessionStart()) / kTicksPerHour;
}

void BM_SeekToTheEndOfAnEightHourRace(benchmark::State& state)
{
    seekIn(state, true);
}
BENCHMARK(BM_SeekToTheEndOfAnEightHourRace)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

void BM_SeekToTheMiddleOfAnEightHourRace(benchmark::State& state)
{
    seekIn(state, false);
}
BENCHMARK(BM_SeekToTheMiddleOfAnEightHourRace)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

} // namespace
