#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>

#include "harness.h"
#include "line_framer.h"
#include "replay_feeder.h"
#include "zeb_grid.h"

using namespace kav;

namespace {

constexpr int kWaitMs = 20000; // only a stuck replay takes this long

class Replay : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    // Loads a feed file with the given content; false when that failed.
    bool Load(const QByteArray& content)
    {
        QFile file(m_dir.filePath(QStringLiteral("replay.feed")));
        if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
            return false;
        file.close();
        QString error;
        return feeder.Load(file.fileName(), error);
    }

    void Start(double rate, TReplayFeeder::LineSink sink = {})
    {
        QObject::connect(&feeder, &TReplayFeeder::finished, [this] { ++finishedCalls; });
        feeder.Start(
            rate, sink ? std::move(sink) : [this](const QByteArray& line) { lines.append(line); });
    }

    bool WaitUntilFinished()
    {
        return QTest::qWaitFor([this] { return feeder.Finished(); }, kWaitMs);
    }

    static QByteArray Numbered(int count)
    {
        QByteArray content;
        for (int i = 0; i < count; ++i)
            content += "$F," + QByteArray::number(i) + "\n";
        return content;
    }

    void ExpectNumbered(int count) const
    {
        ASSERT_EQ(lines.size(), count);
        for (int i = 0; i < count; ++i)
            EXPECT_EQ(lines[i], "$F," + QByteArray::number(i) + "\n");
    }

    QTemporaryDir m_dir;
    TReplayFeeder feeder;
    QList<QByteArray> lines;
    int finishedCalls = 0;
};

} // namespace

TEST_F(Replay, LinesComeInOrderEachWithItsLf)
{
    ASSERT_TRUE(Load("$A,1\r\n$B,2\n\n\r\n$C,3"));
    Start(0);
    EXPECT_EQ(feeder.LinesFed(), 0); // nothing before the event loop runs
    ASSERT_TRUE(WaitUntilFinished());
    EXPECT_EQ(lines, (QList<QByteArray>{"$A,1\r\n", "$B,2\n", "\n", "\r\n", "$C,3\n"}));
    EXPECT_EQ(feeder.LinesFed(), 5);
    EXPECT_EQ(finishedCalls, 1);
}

TEST_F(Replay, AnEmptyFileFinishesFromTheEventLoop)
{
    ASSERT_TRUE(Load(""));
    Start(0);
    EXPECT_FALSE(feeder.Finished());
    EXPECT_EQ(finishedCalls, 0);
    ASSERT_TRUE(WaitUntilFinished());
    EXPECT_EQ(finishedCalls, 1);
    EXPECT_TRUE(lines.isEmpty());
}

TEST_F(Replay, AFileThatCannotBeReadIsNamed)
{
    QString error;
    const QString missing = m_dir.filePath(QStringLiteral("none.feed"));
    EXPECT_FALSE(feeder.Load(missing, error));
    EXPECT_TRUE(error.contains(missing)) << error.toStdString();
    EXPECT_FALSE(feeder.Load(m_dir.path(), error));
}

TEST_F(Replay, FastReplayLetsOtherTimersRunBetweenSlices)
{
    constexpr int kLines = 40;
    ASSERT_TRUE(Load(Numbered(kLines)));
    // Each line takes 2 ms, so the replay needs several slices of the event loop.
    Start(0, [this](const QByteArray& line) {
        lines.append(line);
        QThread::usleep(2000);
    });
    QList<qint64> seenByTimer;
    QTimer other;
    QObject::connect(&other, &QTimer::timeout, [&] { seenByTimer.append(feeder.LinesFed()); });
    other.start(0);
    ASSERT_TRUE(WaitUntilFinished());
    other.stop();
    ExpectNumbered(kLines);
    EXPECT_TRUE(
        std::any_of(seenByTimer.begin(), seenByTimer.end(), [](qint64 fed) { return fed > 0 && fed < kLines; }));
}

TEST_F(Replay, APacedReplaySpreadsTheLinesOverTime)
{
    constexpr int kLines = 30;
    ASSERT_TRUE(Load(Numbered(kLines)));
    Start(50);
    QList<qint64> seen;
    QTimer sampler;
    QObject::connect(&sampler, &QTimer::timeout, [&] { seen.append(feeder.LinesFed()); });
    sampler.start(5);
    ASSERT_TRUE(WaitUntilFinished());
    sampler.stop();
    ExpectNumbered(kLines);
    EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
    EXPECT_TRUE(std::any_of(seen.begin(), seen.end(), [](qint64 fed) { return fed > 0 && fed < kLines / 2; }));
    EXPECT_TRUE(std::any_of(seen.begin(), seen.end(), [](qint64 fed) { return fed >= kLines / 2 && fed < kLines; }));
}

TEST_F(Replay, ARateAboveTheTickRateDeliversSeveralLinesPerTurn)
{
    constexpr int kLines = 200;
    ASSERT_TRUE(Load(Numbered(kLines)));
    Start(2000);
    qint64 last = 0;
    qint64 largestStep = 0;
    QTimer sampler;
    QObject::connect(&sampler, &QTimer::timeout, [&] {
        largestStep = std::max(largestStep, feeder.LinesFed() - last);
        last = feeder.LinesFed();
    });
    sampler.start(0);
    ASSERT_TRUE(WaitUntilFinished());
    ExpectNumbered(kLines);
    EXPECT_GT(largestStep, 1);
    EXPECT_LT(largestStep, kLines);
}

TEST_F(Replay, StopInTheSinkEndsTheReplayWithoutFinishing)
{
    ASSERT_TRUE(Load(Numbered(10)));
    Start(0, [this](const QByteArray& line) {
        lines.append(line);
        if (lines.size() == 3)
            feeder.Stop();
    });
    QTest::qWait(50);
    EXPECT_EQ(lines.size(), 3);
    EXPECT_EQ(feeder.LinesFed(), 3);
    EXPECT_FALSE(feeder.Finished());
    EXPECT_EQ(finishedCalls, 0);
}

TEST_F(Replay, ASinkRunningTheEventLoopGetsEveryLineOnce)
{
    constexpr int kLines = 50;
    ASSERT_TRUE(Load(Numbered(kLines)));
    int depth = 0;
    int deepest = 0;
    Start(1000, [&](const QByteArray& line) {
        deepest = std::max(deepest, ++depth);
        lines.append(line);
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QTest::qWait(2);
        --depth;
    });
    ASSERT_TRUE(WaitUntilFinished());
    EXPECT_EQ(deepest, 1);
    ExpectNumbered(kLines);
    EXPECT_EQ(finishedCalls, 1);
}

// As the program replays: into the device, whose framing drops an over-long line as one bad line.
TEST_F(Replay, ARecordedFeedGoesThroughTheDeviceToTheWindows)
{
    const QString path = QStringLiteral(KAV_TEST_DATA "/feeds/short_race.feed");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray overlong = "$B,1,\"" + QByteArray(TLineFramer::kMaxLine, 'y') + "\"\r\n";
    ASSERT_TRUE(Load(overlong + file.readAll()));
    THarness h;
    TFResults& race = h.Open(kLayoutCurrentRace);
    QObject::connect(&h.Device, &TDevice::lineReceived, [this](const QByteArray& line) { lines.append(line); });
    Start(0, [&h](const QByteArray& bytes) { h.Device.receiveBytes(bytes); });
    ASSERT_TRUE(WaitUntilFinished());
    EXPECT_EQ(lines.size(), 9);           // the last line, without its LF in the file, ends with the file
    EXPECT_EQ(h.Ctl.State.ErrorCount, 2); // the over-long line and the $G with three fields
    EXPECT_EQ(h.Ctl.State.RunName, "Race 3");
    EXPECT_EQ(h.Cell(race, 2, 1), "7");
}
