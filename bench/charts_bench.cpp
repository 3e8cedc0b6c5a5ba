// Race charts and lap history, offscreen: the memory of a lap history of 1000 cars of 2000 laps
// (target under 100 MB resident), a lap chart of 100 cars over 200 laps redrawn (target under 50 ms),
// and a live lap of all 100 cars taken into the drawn chart.

#include <QApplication>
#include <benchmark/benchmark.h>

#include <fstream>
#include <memory>
#include <string>

#include "lap_chart.h"
#include "race_source.h"

using namespace kav;

namespace {

constexpr int kChartCars = 100;
constexpr int kChartLaps = 200;
constexpr TimeValue kLapTime = 900000; // 1:30.000

// Resident memory of the process in MB: "VmRSS:" now, "VmHWM:" its peak.
double ResidentMb(const std::string& key)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(key, 0) == 0)
            return std::stod(line.substr(key.size())) / 1024.0;
    }
    return 0;
}

// A race of numbered cars in two classes, their places shuffled a little every lap.
class BenchRace : public RaceSource {
public:
    LapHistory history;

    const LapHistory& lapHistory() const override { return history; }
    CarLabel carLabel(std::string_view regNo) const override
    {
        const int number = std::stoi(std::string(regNo));
        return {QString::number(number), QStringLiteral("Driver %1").arg(number), 1 + number % 2, {}, number == 7};
    }
    bool isFollowed(std::string_view regNo) const override { return regNo == "7"; }
    std::vector<ClassifiedCar> classification() const override { return {}; }
    QString runName() const override { return QStringLiteral("Bench race"); }
    QString trackName() const override { return QStringLiteral("Brenmoor Ring"); }

    // One crossing of the line for every car, as the feed sends them: the passing, then the standing.
    void runLap(int cars, int lap)
    {
        for (int car = 0; car < cars; ++car) {
            const std::string regNo = std::to_string(car);
            const TimeValue total = lap * kLapTime + car * 1000 + (lap * car) % 7000;
            history.addPassing({regNo, kLapTime + car * 10, total}, LapFlag::Green);
            const int place = (car + (lap / 3) * (car % 5 == 0 ? 1 : 0)) % cars + 1;
            history.takeStanding({static_cast<std::uint16_t>(place), regNo, lap, total});
        }
    }
};

void BM_LapHistoryOfThousandCarsTwoThousandLaps(benchmark::State& state)
{
    for (auto _ : state) {
        const double before = ResidentMb("VmRSS:");
        auto race = std::make_unique<BenchRace>();
        for (int lap = 1; lap <= LapHistory::kMaxLaps; ++lap)
            race->runLap(LapHistory::kMaxCars, lap);
        state.counters["lap_history_MB"] = ResidentMb("VmRSS:") - before;
        state.counters["entries"] = double(race->history.entryCount());
        state.PauseTiming();
        race.reset();
        state.ResumeTiming();
    }
    state.counters["peak_rss_MB"] = ResidentMb("VmHWM:");
}
BENCHMARK(BM_LapHistoryOfThousandCarsTwoThousandLaps)->Unit(benchmark::kMillisecond)->Iterations(1);

struct ChartScene {
    BenchRace race;
    LapChart chart{LapChart::Kind::Position, race};

    ChartScene()
    {
        for (int lap = 1; lap <= kChartLaps; ++lap)
            race.runLap(kChartCars, lap);
        chart.resize(1200, 800);
        chart.show();
        chart.refresh();
        QApplication::processEvents();
    }
};

// Painting the whole chart, as the window does at each redraw.
void BM_LapChartRedrawHundredCarsTwoHundredLaps(benchmark::State& state)
{
    ChartScene scene;
    for (auto _ : state)
        benchmark::DoNotOptimize(scene.chart.grab());
    state.counters["lines"] = scene.chart.lineCount();
    state.counters["points"] = double(scene.race.history.entryCount());
}
BENCHMARK(BM_LapChartRedrawHundredCarsTwoHundredLaps)->Unit(benchmark::kMillisecond);

// A lap of the whole field arriving live: taken into the chart's lines and painted.
void BM_LiveLapIntoDrawnChart(benchmark::State& state)
{
    ChartScene scene;
    int lap = kChartLaps;
    for (auto _ : state) {
        scene.race.runLap(kChartCars, ++lap);
        scene.chart.refresh();
        benchmark::DoNotOptimize(scene.chart.grab());
    }
}
BENCHMARK(BM_LiveLapIntoDrawnChart)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
