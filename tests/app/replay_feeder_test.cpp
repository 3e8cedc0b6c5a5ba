#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "case_table.h"
#include "harness.h"
#include "line_framer.h"
#include "qt_files.h"
#include "replay_feeder.h"

using namespace kav;

namespace {

constexpr int kWaitMs = 20000; // only a stuck replay takes this long

class Replay : public ::testing::Test {
protected:
    // Loads a feed file with the given content; false when that failed.
    bool load(const QByteArray& content)
    {
        QString error;
        const QString file = m_dir.filePath(QStringLiteral("replay.feed"));
        return writeAll(file, content) && feeder.load(file, error);
    }

    void start(double rate, ReplayFeeder::LineSink sink = {})
    {
        QObject::disconnect(&feeder, &ReplayFeeder::finished, nullptr, nullptr);
        QObject::connect(&feeder, &ReplayFeeder::finished, [this] { ++finishedCalls; });
        feeder.start(
            rate, sink ? std::move(sink) : [this](const QByteArray& line) { lines.append(line); });
    }

    bool waitUntilFinished()
    {
        return QTest::qWaitFor([this] { return feeder.isFinished(); }, kWaitMs);
    }

    static QByteArray numbered(int count)
    {
        QByteArray content;
        for (int i = 0; i < count; ++i)
            content += "$F," + QByteArray::number(i) + "\n";
        return content;
    }

    QTemporaryDir m_dir;
    ReplayFeeder feeder;
    QList<QByteArray> lines;
    int finishedCalls = 0;
};

} // namespace

// The file's bytes reach the device unchanged, which frames them as a channel's: a line at each LF, a
// CR kept, an over-long line dropped as one bad line, and a last line without LF held back (not
// processed) with a warning for the operator. An empty file finishes from the event loop too.
TEST_F(Replay, TheDeviceFramesTheFileAsItFramesAChannel)
{
    for (const auto& row : readCaseTable(KAV_TEST_DATA "/app/replayed_files.txt")) {
        SCOPED_TRACE(row.at(0));
        const QByteArray file =
            QByteArray::fromStdString(row.at(1)).replace("{too long}", QByteArray(LineFramer::kMaxLine + 1, 'y'));
        Device device;
        QByteArray received;
        int drops = 0;
        QStringList warnings;
        QObject::connect(&device, &Device::lineReceived, [&](const QByteArray& line) { received += '[' + line + ']'; });
        QObject::connect(&device, &Device::lineDropped, [&] { ++drops; });
        feeder.setWarningSink([&](const QString& text) { warnings.append(text); });
        ASSERT_TRUE(load(file));
        finishedCalls = 0;
        start(0, [&](const QByteArray& bytes) { device.receiveBytes(bytes); });
        EXPECT_FALSE(feeder.isFinished()); // nothing before the event loop runs
        ASSERT_TRUE(waitUntilFinished());
        EXPECT_EQ(received, QByteArray::fromStdString(row.at(2)));
        EXPECT_EQ(drops, std::stoi(row.at(3)));
        EXPECT_EQ(device.partialLine(), QByteArray::fromStdString(row.at(4)));
        EXPECT_EQ(feeder.linesFed(), file.count('\n'));
        EXPECT_EQ(finishedCalls, 1);
        const QString warning = QStringLiteral("the last line of %1 has no line end and was not replayed");
        EXPECT_EQ(warnings, QStringList(row.at(5) == "1" ? 1 : 0, warning.arg(m_dir.filePath("replay.feed"))));
    }
    QString error;
    EXPECT_FALSE(feeder.load(m_dir.filePath(QStringLiteral("none.feed")), error));
    EXPECT_TRUE(error.contains(m_dir.filePath(QStringLiteral("none.feed")))) << error.toStdString();
}

// Stopped from its sink, the replay feeds nothing more and does not finish; a sink that runs the event
// loop is not entered again.
TEST_F(Replay, ASinkMayStopTheReplayOrRunTheEventLoop)
{
    ASSERT_TRUE(load(numbered(10)));
    start(0, [this](const QByteArray& line) {
        lines.append(line);
        if (lines.size() == 3)
            feeder.stop();
    });
    for (int turn = 0; turn < 20; ++turn)
        QCoreApplication::processEvents();
    EXPECT_EQ(lines.size(), 3);
    EXPECT_FALSE(feeder.isFinished());
    EXPECT_EQ(finishedCalls, 0);

    lines.clear();
    int depth = 0;
    int deepest = 0;
    start(0, [&](const QByteArray& line) {
        deepest = std::max(deepest, ++depth);
        lines.append(line);
        QCoreApplication::processEvents();
        --depth;
    });
    ASSERT_TRUE(waitUntilFinished());
    EXPECT_EQ(deepest, 1);
    EXPECT_EQ(lines.join(), numbered(10));
    EXPECT_EQ(finishedCalls, 1);
}

// At a rate, line n (from 0) is due n / rate seconds after the start, on the feeder's clock.
TEST_F(Replay, APacedReplayHandsOverEachLineWhenItIsDue)
{
    ASSERT_TRUE(load(numbered(10)));
    qint64 now = 5'000'000'000; // nanoseconds; any start will do
    feeder.setClock([&now] { return now; });
    start(4);
    const struct {
        qint64 afterMilliseconds;
        int lines;
    } steps[] = {{0, 1}, {250, 2}, {500, 3}, {1999, 8}, {2250, 10}};
    const qint64 started = now;
    for (const auto& step : steps) {
        now = started + step.afterMilliseconds * 1'000'000;
        EXPECT_TRUE(QTest::qWaitFor([&] { return lines.size() == step.lines; }, kWaitMs))
            << step.afterMilliseconds << " ms: " << lines.size() << " lines";
    }
    ASSERT_TRUE(waitUntilFinished());
    EXPECT_EQ(lines.join(), numbered(10));
}

// As the program replays: into the device, whose framing drops an over-long line as one bad line.
TEST_F(Replay, ARecordedFeedGoesThroughTheDeviceToTheWindows)
{
    const QByteArray overlong = "$B,1,\"" + QByteArray(LineFramer::kMaxLine, 'y') + "\"\r\n";
    ASSERT_TRUE(load(overlong + readAll(QStringLiteral(KAV_TEST_DATA "/feeds/short_race.feed"))));
    feeder.setWarningSink([](const QString&) {});
    Harness h;
    ResultWindow& race = h.open(kLayoutCurrentRace);
    QObject::connect(&h.Device, &Device::lineReceived, [this](const QByteArray& line) { lines.append(line); });
    start(0, [&h](const QByteArray& bytes) { h.Device.receiveBytes(bytes); });
    ASSERT_TRUE(waitUntilFinished());
    EXPECT_EQ(lines.size(), 8);           // the last line has no LF in the file: held back, as live
    EXPECT_EQ(h.Ctl.State.ErrorCount, 2); // the over-long line and the $G with three fields
    EXPECT_EQ(h.Ctl.State.RunName, "Race 3");
    EXPECT_EQ(h.cell(race, 2, 1), "7");
}

// --replay-to: the replay ends before the first line of a later time of day; lines without a time go
// with the last one, a recording runs on past midnight, and a time before its first is the next day's.
// A seek cuts the file at the same line.
TEST_F(Replay, EndsBeforeTheFirstLineOfALaterTime)
{
    ASSERT_TRUE(
        load("$B,1,\"Run\"\n$F,1,\"0\",\"23:59:58.000\",\"0\"\n$G,1,\"1\",1,\"0\"\n"
             "$J,\"1\",\"1:00.000\",\"00:00:01.000\"\n$G,1,\"1\",2,\"0\"\n$F,1,\"0\",\"00:00:05.000\",\"0\"\n"));
    const std::pair<const char*, qsizetype> cases[] = {
        {"23:59:57", 6}, {"23:59:58", 3}, {"00:00:00.5", 3}, {"00:00:01", 5}, {"00:00:04.9999", 5}, {"12:00:00", 6},
    };
    for (const auto& [end, fed] : cases) {
        feeder.setEnd(*readTimeOfDay(end));
        lines.clear();
        start(0);
        ASSERT_TRUE(waitUntilFinished()) << end;
        EXPECT_EQ(lines.size(), fed) << end;
        EXPECT_EQ(feeder.linesUpTo(feeder.recordingTime(*readTimeOfDay(end))), fed) << end << ": a seek's cut";
    }
}
