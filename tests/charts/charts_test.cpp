// The race charts on a recorded feed through the record processor: the lap history the controller
// keeps, the charts' lines as laps come in, hover and click, the lap times of chosen cars, and the
// charts window in layouts and the race report from the main window's menus.

#include <gtest/gtest.h>

#include <QFile>
#include <QLabel>
#include <QLineSeries>
#include <QListWidget>
#include <QMap>
#include <QMenuBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QValueAxis>

#include <fstream>
#include <string>

#include "feed_lines.h"
#include "harness.h"
#include "layout_store.h"
#include "main_window.h"
#include "qt_files.h"
#include "race_charts_window.h"
#include "scripted_prompter.h"
#include "test_main_window.h"
#include "wait_for.h"

using namespace kav;

namespace {

using Points = QList<QPointF>;

// The feed's lines up to (not including) the start of run runs + 1.
void feedRuns(Harness& h, int runs)
{
    std::ifstream in(std::string(KAV_TEST_DATA) + "/feeds/lap_history.feed");
    ASSERT_TRUE(in);
    int run = 0;
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("$I", 0) == 0 && ++run > runs)
            return;
        h.feedLines(line);
    }
}

QLineSeries* seriesOf(const LapChart& chart, const QString& car)
{
    for (QAbstractSeries* series : chart.chart()->series())
        if (series->name() == car)
            return static_cast<QLineSeries*>(series);
    return nullptr;
}

Points pointsOf(const LapChart& chart, const QString& car)
{
    const QLineSeries* series = seriesOf(chart, car);
    return series ? series->points() : Points();
}

struct FlagCase {
    const char* regNo;
    std::vector<LapFlag> flags;
    std::vector<int> positions;
};

TEST(RaceCharts, TheRecordProcessorKeepsEachLapWithItsFlagAndPlace)
{
    Harness h;
    feedRuns(h, 1);
    const LapHistory& history = h.Ctl.State.lapHistory();
    constexpr LapFlag G = LapFlag::Green, Y = LapFlag::Yellow, F = LapFlag::Finish;
    for (const FlagCase& c : std::vector<FlagCase>{
             {"2001", {G, G, Y, G}, {1, 1, 1, 1}}, {"2002", {G, G, F}, {2, 2, 3}}, {"2003", {G, Y, G}, {3, 3, 2}}}) {
        SCOPED_TRACE(c.regNo);
        const int car = history.findCar(c.regNo);
        ASSERT_GE(car, 0);
        std::vector<LapFlag> flags;
        std::vector<int> positions;
        for (const LapEntry& entry : history.car(car).laps) {
            flags.push_back(entry.flag);
            positions.push_back(entry.position);
        }
        EXPECT_EQ(flags, c.flags);
        EXPECT_EQ(positions, c.positions);
    }
    h.feedLines({"$I,\"14:10:00.0000\",\"01 Jun\"", "$B,2,\"Race 2\""});
    EXPECT_EQ(history.carCount(), 0);
}

// The car numbers right of the plot, top to bottom.
QStringList carLabels(const LapChart& chart)
{
    QMap<double, QString> labels;
    for (QGraphicsItem* item : chart.chart()->childItems()) {
        const auto* text = dynamic_cast<QGraphicsSimpleTextItem*>(item);
        if (text && text->x() > chart.chart()->plotArea().right())
            labels.insert(text->y(), text->text());
    }
    return labels.values();
}

class ChartsWindow : public ::testing::Test {
protected:
    ChartsWindow() { window.resize(900, 600); }

    Harness h;
    RaceChartsWindow window{h.Ctl.ChartSource};
};

TEST_F(ChartsWindow, LinesFollowTheRaceLiveAndANewRunClearsThem)
{
    window.show();
    const LapChart& lapChart = window.chart(LapChart::Kind::Position);
    h.feedLines({"$A,\"2003\",\"33\",2003,\"Jonas\",\"Vermeulen\",\"BEL\",2",
                 "$J,\"2003\",\"00:02:00.0000\",\"14:02:00\"", "$G,3,\"2003\",1,\"00:02:00.0000\""});
    // Told by the controller, the window draws what came without being asked.
    EXPECT_TRUE(waitFor([&] { return pointsOf(lapChart, "33") == Points({{1, 3}}); }, 5000));
    feedRuns(h, 1);
    window.redraw();
    EXPECT_EQ(lapChart.lineCount(), 3);
    EXPECT_EQ(pointsOf(lapChart, "33"), Points({{1, 3}, {2, 3}, {3, 2}}));
    EXPECT_EQ(pointsOf(lapChart, "22"), Points({{1, 2}, {2, 2}, {3, 3}}));
    h.Ctl.Followed.set({"2002"}); // followed after its line was drawn: it turns bold
    window.redraw();
    EXPECT_GT(seriesOf(lapChart, "22")->pen().widthF(), seriesOf(lapChart, "33")->pen().widthF());
    // The places on the axis, and beside them the car in each place.
    const auto* axis = static_cast<const QValueAxis*>(lapChart.chart()->axes(Qt::Vertical).first());
    EXPECT_EQ(std::pair(axis->min(), axis->max()), std::pair(0.5, 3.5));
    EXPECT_EQ(carLabels(lapChart), QStringList({"11", "33", "22"}));
    window.tabs().setCurrentIndex(RaceChartsWindow::kGapTab);
    EXPECT_EQ(pointsOf(window.chart(LapChart::Kind::Gap), "33"), Points({{1, 29.9}, {2, 60.5}, {3, 90.0}}));
    EXPECT_EQ(carLabels(window.chart(LapChart::Kind::Gap)), QStringList({"11", "33", "22"})); // where lines end
    h.feedLines({"$I,\"14:10:00.0000\",\"01 Jun\"", "$B,2,\"Race 2\""});
    window.redraw();
    EXPECT_EQ(window.chart(LapChart::Kind::Gap).lineCount(), 0);
}

// Hidden, the window draws nothing; it draws laps the controller tells of, and no change it is not
// told of (the processor silenced, a heartbeat).
TEST_F(ChartsWindow, DrawsWhatTheControllerToldOfAndNothingElse)
{
    const LapChart& lapChart = window.chart(LapChart::Kind::Position);
    h.feedLines({feed::A("2003", "33", "Jonas", "Vermeulen"), feed::J("2003", "00:02:00.000"),
                 feed::G(3, "2003", 1, "00:02:00.000")});
    EXPECT_FALSE(window.redrawDue());
    EXPECT_EQ(lapChart.lineCount(), 0);
    window.show();
    EXPECT_EQ(pointsOf(lapChart, "33"), Points({{1, 3}}));
    h.Ctl.Records.blockSignals(true);
    h.feedLines({feed::J("2003", "00:01:58.000"), feed::G(2, "2003", 2, "00:03:58.000")});
    h.Ctl.Records.blockSignals(false);
    h.feedLines(feed::F(5, "00:04:00", "Green"));
    EXPECT_FALSE(window.redrawDue());
    EXPECT_EQ(pointsOf(lapChart, "33"), Points({{1, 3}}));
    h.feedLines({feed::J("2003", "00:01:57.000"), feed::G(1, "2003", 3, "00:05:55.000")});
    EXPECT_TRUE(window.redrawDue());
    const auto allDrawn = [&] { return pointsOf(lapChart, "33") == Points({{1, 3}, {2, 2}, {3, 1}}); };
    EXPECT_TRUE(waitFor(allDrawn, 5000)) << pointsOf(lapChart, "33").size() << " points";
}

TEST_F(ChartsWindow, HoverOrClickOnALineNamesTheCarAndTheLap)
{
    feedRuns(h, 1);
    window.show();
    const LapChart& lapChart = window.chart(LapChart::Kind::Position);
    emit seriesOf(lapChart, "22")->hovered(QPointF(2.9, 3), true);
    EXPECT_EQ(window.pointedLap().text(), "Car 22 Marco Bellandi, lap 3: position 3, lap time 3:20.000, +1:51.500");
    emit seriesOf(lapChart, "33")->clicked(QPointF(2.2, 3));
    EXPECT_EQ(window.pointedLap().text(), "Car 33 Jonas Vermeulen, lap 2: position 3, lap time 2:00.500, +1:00.500");
    emit seriesOf(lapChart, "11")->hovered(QPointF(1, 1), true);
    EXPECT_TRUE(window.pointedLap().text().contains(", lap 1: position 1, "))
        << window.pointedLap().text().toStdString();
}

TEST_F(ChartsWindow, TheLapTimeChartShowsTheCarsTickedAndTheLayoutKeepsThem)
{
    feedRuns(h, 1);
    window.show();
    window.tabs().setCurrentIndex(RaceChartsWindow::kLapTimeTab);
    QListWidget& cars = window.carList();
    ASSERT_EQ(cars.count(), 3);
    EXPECT_EQ(cars.item(1)->text(), "22  Marco Bellandi");
    cars.item(1)->setCheckState(Qt::Checked);
    window.redraw();
    const LapChart& lapTimes = window.chart(LapChart::Kind::LapTime);
    EXPECT_EQ(lapTimes.lineCount(), 1);
    EXPECT_EQ(pointsOf(lapTimes, "22"), Points({{1, 91.0}, {2, 90.5}, {3, 200.0}}));
    // A lap without a time of its own is no point.
    h.feedLines({feed::J("2002", "00:00:00.000"), feed::G(2, "2002", 4, "00:07:00.000")});
    window.redraw();
    EXPECT_EQ(pointsOf(lapTimes, "22"), Points({{1, 91.0}, {2, 90.5}, {3, 200.0}}));
    RaceChartsRec rec;
    window.saveTo(rec);
    EXPECT_EQ(rec.chart, RaceChartsWindow::kLapTimeTab);
    EXPECT_EQ(rec.lapTimeCars, std::vector<std::string>{"2002"});
}

class MainWindowCharts : public ::testing::Test {
protected:
    std::unique_ptr<MainWindow> start()
    {
        auto main = std::make_unique<MainWindow>(testOptions(&dir));
        main->show();
        return main;
    }
    QByteArray read(const QString& name) const { return readAll(dir.filePath(name)); }

    QTemporaryDir dir;
    ScriptedPrompter prompter;
};

TEST_F(MainWindowCharts, LayoutsWithAndWithoutTheChartsWindowRoundTrip)
{
    EXPECT_EQ(readRaceCharts(std::string(KAV_TEST_DATA) + "/store/old_layout.kvl"), RaceChartsRec{});
    auto main = start();
    main->saveLayout(dir.filePath("without.kvl"));
    EXPECT_FALSE(read("without.kvl").contains("RaceCharts"));
    QAction* charts = findAction(*main->menuBar(), "Race &charts");
    ASSERT_NE(charts, nullptr);
    charts->trigger();
    RaceChartsWindow* window = main->controller().RaceCharts.window();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(main->clearLayoutAction()->isEnabled());
    window->restoreFrom({{}, true, RaceChartsWindow::kGapTab, {"2002", "2003"}});
    window->parentWidget()->setGeometry(30, 40, 700, 500);
    main->saveLayout(dir.filePath("with.kvl"));
    main->clearLayout();
    EXPECT_EQ(main->controller().RaceCharts.window(), nullptr);
    main->loadLayout(dir.filePath("without.kvl"));
    EXPECT_EQ(main->controller().RaceCharts.window(), nullptr);
    main->loadLayout(dir.filePath("with.kvl"));
    const RaceChartsRec loaded = main->controller().RaceCharts.record();
    EXPECT_EQ(loaded,
              (RaceChartsRec{
                  {500, 700, 40, 30, WindowState::Normal, false}, true, RaceChartsWindow::kGapTab, {"2002", "2003"}}));
    main->controller().RaceCharts.window()->parentWidget()->close(); // the operator closes it
    ASSERT_TRUE(waitFor([&] {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); // the closed frame goes later
        return main->controller().RaceCharts.window() == nullptr;
    }));
    main->saveLayout(dir.filePath("with.kvl"));
    EXPECT_FALSE(read("with.kvl").contains("RaceCharts")); // closed since: the section goes
}

TEST_F(MainWindowCharts, FileMenuExportsTheRaceReport)
{
    auto main = start();
    QAction* report = findAction(*main->menuBar(), QStringLiteral("Export race &report\u2026"));
    ASSERT_NE(report, nullptr);
    prompter.saveAnswer = dir.filePath("report.pdf");
    report->trigger();
    EXPECT_TRUE(read("report.pdf").startsWith("%PDF"));
    EXPECT_TRUE(prompter.shown.isEmpty()) << prompter.shown.join('|').toStdString();
    prompter.saveAnswer = dir.filePath("no folder/report.pdf");
    report->trigger();
    ASSERT_EQ(prompter.shown.size(), 1);
    EXPECT_TRUE(prompter.shown[0].contains("no folder/report.pdf")) << prompter.shown[0].toStdString();
}

} // namespace
