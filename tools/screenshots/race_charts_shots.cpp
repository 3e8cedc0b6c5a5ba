#include "race_charts_shots.h"
#include "kavendor_device.h"

#include <QLabel>
#include <QLineSeries>
#include <QListWidget>
#include <QTabWidget>

#include "race_charts_window.h"
#include "race_feed.h"
#include "race_session.h"

namespace kav {

namespace {

constexpr int kCars = 16;
constexpr int kLaps = 14;
constexpr std::uint64_t kSeed = 3;
constexpr int kComparedCars = 3;

// Points at the third lap of the first line, as a hover does.
void pointAtALine(const LapChart& chart)
{
    const QList<QAbstractSeries*> series = chart.chart()->series();
    if (!series.isEmpty())
        emit static_cast<QLineSeries*>(series.first())->hovered(QPointF(3, 1), true);
}

} // namespace

void saveRaceCharts(void (*save)(QWidget&, const QString&))
{
    ProgramSettings settings;
    ManualClock clock;
    KavendorDevice device;
    RaceFeed feed(device, settings, clock);
    SimOptions race;
    race.cars = kCars;
    race.laps = kLaps;
    race.seed = kSeed;
    for (const SimLine& line : simulateSession(race))
        device.receiveBytes(QByteArray::fromStdString(line.text + '\n'));
    const LapHistory& history = feed.State.lapHistory();
    FollowedCompetitors followed;
    followed[0] = history.car(history.carCount() / 2).regNo;
    feed.Followed.set(followed);

    RaceChartsWindow window(feed.ChartSource);
    window.resize(900, 580);
    window.tabs().setCurrentIndex(RaceChartsWindow::kLapTab);
    window.show();
    pointAtALine(window.chart(LapChart::Kind::Position));
    save(window, QStringLiteral("race_charts_lap"));
    window.tabs().setCurrentIndex(RaceChartsWindow::kGapTab);
    save(window, QStringLiteral("race_charts_gap"));
    window.tabs().setCurrentIndex(RaceChartsWindow::kLapTimeTab);
    for (int car = 0; car < kComparedCars && car < window.carList().count(); ++car)
        window.carList().item(car)->setCheckState(Qt::Checked);
    window.redraw();
    save(window, QStringLiteral("race_charts_lap_times"));
}

} // namespace kav
