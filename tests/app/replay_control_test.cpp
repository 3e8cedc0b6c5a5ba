// Seeking in a replay and the replay bar: the state after a seek is the state of the file cut there,
// whatever was sought before, and the bar's controls drive the replay.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QTime>
#include <QToolButton>

#include "dump_writer.h"
#include "general_info_panel.h"
#include "harness.h"
#include "qt_files.h"
#include "race_session.h"
#include "replay_bar.h"
#include "replay_bar_link.h"
#include "replay_control.h"
#include "replay_feeder.h"

using namespace kav;

namespace {

constexpr int kWaitMs = 20000; // only a stuck replay takes this long

// A replay into a headless controller with a window of every kind, as the program's --dump shows it.
struct Replayed {
    explicit Replayed(const QString& file)
    {
        for (std::uint8_t kind : {kLayoutCurrentRace, kLayoutCompletedLap, kLayoutPractice, kLayoutTrackPositions})
            h.open(kind);
        // As the program's start shows the settings' track before any line.
        h.Ctl.Info.setTrack(h.Settings->TrackLength, h.Settings->TrackName);
        panel.watch(h.Ctl.Info);
        QString error;
        loaded = feeder.load(file, error);
        feeder.setWarningSink([](const QString&) {});
    }
    void start(double rate = 0)
    {
        control.start(rate, [this](const QByteArray& bytes) { h.Device.receiveBytes(bytes); });
    }
    bool replayWhole()
    {
        start();
        return QTest::qWaitFor([this] { return feeder.isFinished(); }, kWaitMs);
    }
    // Every dump file by name, with its content.
    std::map<std::string, std::string> dump(const QString& dir)
    {
        QString error;
        EXPECT_TRUE(writeDump(dir, {h.Ctl.Windows.all(), h.Headers, h.Ctl.Info, h.Ctl.State}, error))
            << error.toStdString();
        std::map<std::string, std::string> files;
        for (const QString& file : QDir(dir).entryList(QDir::Files))
            files[file.toStdString()] = readAll(dir + '/' + file).toStdString();
        return files;
    }

    Harness h;
    GeneralInfoPanel panel;
    ReplayFeeder feeder;
    ReplayControl control{feeder, h.Ctl, h.Settings};
    bool loaded = false;
};

QByteArray pitRace()
{
    QByteArray feed;
    for (const SimLine& line : simulateSession({.cars = 6, .laps = 8, .pitLoops = true}))
        feed += QByteArray::fromStdString(line.text) + '\n';
    return feed;
}

} // namespace

// After seeks anywhere, the dump equals the dump of the file cut at the last time sought: cut by hand
// (lines kept), or by --replay-to's end where no count is given. Nothing of a later state is left
// behind, the track the feed set included (race6 sets it in its first lines).
TEST(ReplaySeek, TheStateAfterASeekIsTheStateOfTheFileCutThere)
{
    QTemporaryDir dir;
    const QString race6 = QStringLiteral(KAV_TEST_DATA "/feeds/race6.feed");
    const QString pits = dir.filePath("pits.feed");
    ASSERT_TRUE(writeAll(pits, pitRace()));
    // A recording begun after the run's start: no new run empties the windows before the lines.
    const QString late = dir.filePath("late.feed");
    ASSERT_TRUE(writeAll(late, readAll(race6).split('\n').mid(40).join('\n')));
    const struct {
        QString feed;
        QStringList seeks; // the last one is the time the state is compared at
        int cutLines;      // 0: cut by the replay's end at that time
    } cases[] = {
        {race6, {"14:01:40.354"}, 108},
        {race6, {"14:02:29"}, 112},
        {race6, {"14:07:00", "14:01:40.354"}, 108},
        {race6, {"14:01:00", "14:06:00", "14:02:29"}, 112},
        {race6, {"14:03:00", "13:00:00", "14:00:00"}, 0},
        {race6, {"14:05:00", "14:00:01", "14:06:10"}, 0},
        {late, {"14:06:00", "14:01:00"}, 0},
        {pits, {"14:20:00", "14:04:00"}, 0},
        {pits, {"14:03:00", "14:09:00", "14:03:30", "14:09:00"}, 0},
    };
    int n = 0;
    for (const auto& row : cases) {
        const QString trace = row.feed.section('/', -1) + ' ' + row.seeks.join(' ');
        SCOPED_TRACE(trace.toStdString());
        Replayed sought(row.feed);
        ASSERT_TRUE(sought.loaded);
        ASSERT_TRUE(sought.replayWhole());
        for (const QString& time : row.seeks)
            sought.control.seekToTimeOfDay(*readTimeOfDay(time.toStdString()));
        EXPECT_FALSE(sought.control.playing());

        QString cutFile = row.feed;
        if (row.cutLines > 0) {
            cutFile = dir.filePath("cut.feed");
            ASSERT_TRUE(writeAll(cutFile, readAll(row.feed).split('\n').mid(0, row.cutLines).join('\n') + '\n'));
        }
        Replayed cut(cutFile);
        ASSERT_TRUE(cut.loaded);
        if (row.cutLines == 0)
            cut.feeder.setEnd(*readTimeOfDay(row.seeks.last().toStdString()));
        ASSERT_TRUE(cut.replayWhole());
        const QString at = QString::number(++n);
        const auto expected = cut.dump(dir.filePath("cut" + at));
        EXPECT_EQ(sought.dump(dir.filePath("sought" + at)), expected);
        EXPECT_EQ(sought.h.Ctl.Info.value(RunInfo::kTrackName), cut.h.Ctl.Info.value(RunInfo::kTrackName));
        EXPECT_EQ(sought.h.Ctl.Info.lines(), cut.h.Ctl.Info.lines());
        EXPECT_TRUE(row.feed != pits || expected.count("pits.csv")) << "the cut race has pit stops";
    }
}

// The bar's controls drive the replay on the feeder's clock: play at a speed hands over lines at the
// feed's pace times the speed, pause stops them, the slider seeks.
TEST(ReplayBarControls, PlayPauseSpeedAndSliderDriveTheReplay)
{
    QTemporaryDir dir;
    QByteArray feed = "$I,\"14:00:00.000\",\"01 Jun\"\n$B,1,\"Heat\"\n";
    for (int second = 10; second <= 60; second += 10) { // a heartbeat every ten seconds
        const QByteArray time = QTime(0, second / 60, second % 60).toString("mm:ss").toLatin1();
        feed += "$F,10,\"00:00:00\",\"14:" + time + ".000\",\"00:" + time + "\",\"Green\"\n";
    }
    ASSERT_TRUE(writeAll(dir.filePath("heat.feed"), feed));
    Replayed replay(dir.filePath("heat.feed"));
    ASSERT_TRUE(replay.loaded);
    qint64 now = 1'000'000'000;
    replay.feeder.setClock([&now] { return now; });
    ReplayBar bar;
    linkReplayBar(bar, replay.control);
    bar.addRate(2); // as the program offers a --rate it was started with
    replay.start(2);
    replay.control.pause();
    ASSERT_EQ(bar.slider().maximum(), 60);

    const auto lines = [&] { return replay.feeder.linesFed(); };
    // Each step's actions: "seek S" moves the slider to second S, "speed X" chooses X in the list, "play"
    // clicks Play or Pause, "after S" moves the clock on S seconds.
    const struct {
        const char* actions;
        qint64 lines;
        const char* shown;
    } steps[] = {
        {"seek 20", 4, "14:00:20"},
        {"speed 1×;play", 4, "14:00:20"},
        {"after 9.9", 4, "14:00:29"},
        {"after 0.2", 5, "14:00:30"},
        {"speed 10×;after 1.05", 6, "14:00:40"},
        {"play;after 30", 6, "14:00:40"},
        {"seek 5", 2, "14:00:05"},
        {"speed 100×;play;after 0.3", 5, "14:00:35"},
        {"seek 20;after 0.1", 5, "14:00:30"},         // a seek while playing plays on
        {"speed 2 lines/s;after 0.6", 7, "14:00:50"}, // back to the rate it started at
        {"speed Max;after 0", 8, "14:01:00"},
    };
    // The time shown comes with the bar's tick, after many a turn of the feeder's faster timer.
    for (const auto& step : steps) {
        for (const QString& action : QString::fromUtf8(step.actions).split(u';')) {
            const QString what = action.section(u' ', 0, 0), value = action.section(u' ', 1);
            if (what == "seek")
                bar.slider().setValue(value.toInt());
            else if (what == "speed")
                emit bar.speedBox().activated(bar.speedBox().findText(value));
            else if (what == "play")
                bar.playButton().click();
            else
                now += static_cast<qint64>(value.toDouble() * 1e9);
        }
        EXPECT_TRUE(QTest::qWaitFor(
            [&] { return lines() == step.lines && bar.timeLabel().text() == QLatin1String(step.shown); }, kWaitMs))
            << step.actions << ": " << lines() << " lines, " << bar.timeLabel().text().toStdString();
    }
    EXPECT_EQ(replay.h.Ctl.Info.lines(), 8); // the four up to the last seek back, and four after it
}

// A recording still being written: the bar offers Live once the file grows; Live feeds the file to its
// end and then every line appended, as it comes.
TEST(ReplayBarControls, LiveFollowsARecordingStillBeingWritten)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("growing.feed");
    const QByteArray race = readAll(QStringLiteral(KAV_TEST_DATA "/feeds/race6.feed"));
    const QList<QByteArray> all = race.split('\n').mid(0, 351);
    ASSERT_TRUE(writeAll(file, all.mid(0, 100).join('\n') + '\n'));
    Replayed replay(file);
    ASSERT_TRUE(replay.loaded);
    replay.control.watchFile(file);
    ReplayBar bar;
    linkReplayBar(bar, replay.control);
    replay.start(5); // slowly, so that Live has lines to jump over
    ASSERT_TRUE(QTest::qWaitFor([&] { return replay.feeder.linesFed() >= 1; }, kWaitMs));
    EXPECT_FALSE(bar.liveAction().isVisible());
    const auto appendLines = [&](int from, int to) {
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::Append));
        out.write(all.mid(from, to - from).join('\n') + '\n');
    };
    appendLines(100, 200);
    ASSERT_TRUE(QTest::qWaitFor([&] { return replay.control.growing(); }, kWaitMs));
    EXPECT_TRUE(bar.liveAction().isVisible());
    bar.liveButton().click();
    EXPECT_TRUE(replay.control.live());
    EXPECT_EQ(replay.feeder.linesFed(), 200);
    appendLines(200, 351);
    EXPECT_TRUE(QTest::qWaitFor([&] { return replay.h.Ctl.Info.lines() == 351; }, kWaitMs))
        << replay.h.Ctl.Info.lines();
    EXPECT_EQ(replay.h.Ctl.State.RunName, "Race 1 - Brenmoor Cup");
    EXPECT_TRUE(replay.h.Ctl.Info.finished());
}
