// Display speed: a full refill of ten 100-row result windows (every cell written, as content building
// does after a layout change) and painting them offscreen, 1400 x 900 pixels each. Target: the refill
// under 20 ms.

#include "col_sett_dlg.h"
#include "f_results.h"
#include "status_pictures.h"
#include "zeb_grid.h"

#include <QApplication>
#include <array>
#include <benchmark/benchmark.h>
#include <memory>
#include <vector>

using namespace kav;

namespace {

constexpr int kWindows = 10;
constexpr int kRows = 100;

struct TDisplay {
    THeaderRec Headers = DefaultHeaders();
    TColSettDlg Dialog;
    TStatusPictures Pictures;
    std::vector<TFResults*> Windows;

    TDisplay()
    {
        TResultWinRec rec;
        rec.Layout = kLayoutCurrentRace;
        for (std::uint8_t id = 0; id < kColumnIds; ++id)
            rec.ColRel[id] = id;
        for (int i = 0; i < kWindows; ++i) {
            auto* window = new TFResults(Headers, Dialog);
            window->SetDataRows(kRows);
            window->ApplyLayout(rec);
            window->resize(1400, 900);
            window->show();
            Windows.push_back(window);
        }
        QApplication::processEvents();
    }
    ~TDisplay()
    {
        for (TFResults* window : Windows)
            delete window;
    }
};

// Made in main, after the application object and gone before it.
TDisplay* g_display = nullptr;

TDisplay& Display()
{
    return *g_display;
}

// Two sets of cell texts, prepared beforehand so that the timing is the display's alone.
const std::vector<QString>& Texts(int pass)
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

void Refill(TFResults& window, const TStatusPictures& pictures, int pass)
{
    const std::vector<QString>& texts = Texts(pass);
    for (int row = 1; row <= kRows; ++row) {
        window.SetRowTextColor(row, pass % 2 ? 0x000000 : 0xFF0000);
        window.SetRowBackground(row, pass % 2 ? 0xFFFFFF : 0xC0FFFF);
        window.PutCellPicture(1, row, pictures.ForCode(std::uint8_t((row + pass) % 5)));
        for (int col = 2; col < int(kColumnIds); ++col)
            window.PutCellText(col, row, texts[std::size_t((row - 1) * int(kColumnIds) + col)]);
    }
}

void BM_FullRefillOfTenWindows(benchmark::State& state)
{
    TDisplay& display = Display();
    int pass = 0;
    for (auto _ : state) {
        ++pass;
        for (TFResults* window : display.Windows)
            Refill(*window, display.Pictures, pass);
    }
    state.counters["cells"] = double(kWindows * kRows * kColumnIds);
}
BENCHMARK(BM_FullRefillOfTenWindows)->Unit(benchmark::kMillisecond);

void BM_PaintTenWindows(benchmark::State& state)
{
    TDisplay& display = Display();
    for (TFResults* window : display.Windows)
        Refill(*window, display.Pictures, 1);
    for (auto _ : state) {
        for (TFResults* window : display.Windows)
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
    auto display = std::make_unique<TDisplay>();
    g_display = display.get();
    benchmark::RunSpecifiedBenchmarks();
    display.reset();
    benchmark::Shutdown();
    return 0;
}
