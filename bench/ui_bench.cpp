// Display speed: a full refill of the results models that ten 1000-row result windows of all four
// kinds show (every cell written, as content building does after a layout change), and painting the
// ten windows offscreen, 1400 x 900 pixels each. Target: the refill under 10 ms.

#include "column_settings_dialog.h"
#include "result_window.h"
#include "results_models.h"
#include "status_pictures.h"

#include <QApplication>
#include <array>
#include <benchmark/benchmark.h>
#include <memory>
#include <vector>

using namespace kav;

namespace {

constexpr int kWindows = 10;
constexpr int kRows = 1000;
constexpr std::uint8_t kKinds[kWindows] = {1, 1, 2, 2, 3, 3, 4, 4, 4, 1};

struct BenchWindows {
    HeaderTexts Headers = defaultHeaders();
    ColumnSettingsDialog Dialog;
    ResultsModels Models{kRows};
    std::vector<ResultWindow*> Windows;

    BenchWindows()
    {
        for (std::uint8_t kind : kKinds) {
            ResultWindowSettings rec;
            rec.Layout = kind;
            for (std::uint8_t id = 0; id < kColumnIds; ++id)
                rec.ColRel[id] = id;
            auto* window = new ResultWindow(Models, Headers, Dialog);
            window->applySettings(rec);
            window->resize(1400, 900);
            window->show();
            Windows.push_back(window);
        }
        QApplication::processEvents();
    }
    ~BenchWindows()
    {
        for (ResultWindow* window : Windows)
            delete window;
    }
};

// Made in main, after the application object and gone before it.
BenchWindows* g_display = nullptr;

BenchWindows& sharedDisplay()
{
    return *g_display;
}

// Two sets of cell texts, prepared beforehand so that the timing is the display's alone.
const std::vector<QString>& textsOfPass(int pass)
{
    static const std::array<std::vector<QString>, 2> texts = [] {
        std::array<std::vector<QString>, 2> sets;
        for (int set = 0; set < 2; ++set)
            for (int row = 1; row <= kRows; ++row)
                for (int col = 0; col < int(kColumnIds); ++col)
                    sets[std::size_t(set)].push_back(QStringLiteral("%1:%2.%3").arg(row).arg(col).arg(set));
        return sets;
    }();
    return texts[std::size_t(pass % 2)];
}

void refill(ResultsModel& model, int pass)
{
    const std::vector<QString>& texts = textsOfPass(pass);
    for (int row = 0; row < kRows; ++row) {
        model.setRowColours(row, pass % 2 ? 0x000000 : 0xFF0000, pass % 2 ? 0xFFFFFF : 0xC0FFFF);
        model.setMarker(row, 1, (row + pass) % 5);
        for (int col = 2; col < int(kColumnIds); ++col)
            model.setText(row, col, texts[std::size_t(row * int(kColumnIds) + col)]);
    }
}

void RefillEveryKind(BenchWindows& display, int pass)
{
    for (std::uint8_t kind = kLayoutCompletedLap; kind <= kLayoutCurrentRace; ++kind)
        refill(display.Models.forKind(kind), pass);
}

void BM_FullRefillOfTenWindows(benchmark::State& state)
{
    BenchWindows& display = sharedDisplay();
    int pass = 0;
    for (auto _ : state)
        RefillEveryKind(display, ++pass);
    state.counters["cells"] = double(4 * kRows * kColumnIds);
    QApplication::processEvents();
}
BENCHMARK(BM_FullRefillOfTenWindows)->Unit(benchmark::kMillisecond);

void BM_PaintTenWindows(benchmark::State& state)
{
    BenchWindows& display = sharedDisplay();
    RefillEveryKind(display, 1);
    QApplication::processEvents();
    for (auto _ : state) {
        for (ResultWindow* window : display.Windows)
            benchmark::DoNotOptimize(window->grab()); // paints every visible cell into a pixmap
    }
}
BENCHMARK(BM_PaintTenWindows)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    auto display = std::make_unique<BenchWindows>();
    g_display = display.get();
    benchmark::RunSpecifiedBenchmarks();
    display.reset();
    benchmark::Shutdown();
    return 0;
}
