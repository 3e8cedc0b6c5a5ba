// A soak run, no timings: a one-hour race of 100 cars through the whole main window with ten result
// windows open, at full speed. Operators leave the program running all day, so resident memory must
// stay flat once the field is on screen. Prints the memory at a quarter of the race and at its end;
// exit status 1 when three quarters of the race added more than a few megabytes, or the race did not
// end as the feed says.

#include <QApplication>
#include <QTemporaryDir>

#include <cstdio>

#include "kavendor_device.h"
#include "main_window.h"
#include "race_session.h"
#include "soak_helpers.h"

using namespace kav;

namespace {

// Allocator slack, not growth.
constexpr qint64 kAllowedGrowthKb = 8 * 1024;

// Ten windows, each kind with every column; the number that opened.
int OpenEveryWindow(MainWindow& main)
{
    int opened = 0;
    for (int i = 0; i < MainWindow::kMaxResultWindows; ++i) {
        ResultWindowSettings rec;
        rec.Layout = static_cast<std::uint8_t>(1 + i % 4);
        for (std::uint8_t id = 0; id < kColumnIds; ++id)
            rec.ColRel[id] = id;
        opened += main.openResultWindow(rec) != nullptr ? 1 : 0;
    }
    return opened;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    SimOptions options;
    options.cars = 100;
    options.laps = 40; // 40 laps of about 90 s: an hour of racing
    const std::vector<SimLine> session = simulateSession(options);

    QTemporaryDir dir;
    MainWindowOptions mainOptions;
    mainOptions.ConfigDir = dir.path() + QLatin1Char('/');
    mainOptions.ProgramDir = mainOptions.ConfigDir;
    mainOptions.UseChannel = false;
    mainOptions.UseSettingsFiles = false;
    MainWindow main(mainOptions);
    main.activateFirstTime();
    const int windows = OpenEveryWindow(main);

    qint64 settledKb = 0;
    for (std::size_t i = 0; i < session.size(); ++i) {
        main.device()->receiveBytes(QByteArray::fromStdString(session[i].text + "\n"));
        if (i % 500 == 0)
            QApplication::processEvents();
        if (i == session.size() / 4)
            settledKb = residentBytes() / 1024;
    }
    QApplication::processEvents();
    const qint64 endKb = residentBytes() / 1024;
    const RaceState& state = main.controller().State;
    const bool flat = endKb - settledKb < kAllowedGrowthKb;
    const bool ended = windows == MainWindow::kMaxResultWindows && state.ErrorCount == 0 && state.RaceFinished &&
                       state.CurrentRaceList.count() == 100;
    std::printf("%zu lines, session %lld s, %d windows: resident %lld KB at a quarter, %lld KB at the end\n",
                session.size(), static_cast<long long>(session.back().at / kTicksPerSecond), windows,
                static_cast<long long>(settledKb), static_cast<long long>(endKb));
    std::printf("memory %s, race %s\n", flat ? "flat" : "GREW", ended ? "finished as fed" : "NOT AS FED");
    return flat && ended ? 0 : 1;
}
