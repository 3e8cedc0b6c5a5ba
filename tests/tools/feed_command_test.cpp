#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <QHostAddress>
#include <QProcess>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <csignal>
#include <memory>

#include "feed_wait.h"
#include "pty_pair.h"
#include "race_session.h"
#include "sim_series.h"

namespace kav {
namespace {

const QString kTool = QStringLiteral(KAV_FEED_TOOL);

QByteArray AsFeed(const std::vector<TSimLine>& lines)
{
    QByteArray bytes;
    for (const auto& line : lines)
        bytes += QByteArray::fromStdString(line.text) + '\n';
    return bytes;
}

TSimOptions SmallRace()
{
    TSimOptions options;
    options.cars = 5;
    options.laps = 2;
    options.seed = 11;
    return options;
}

int RunTool(const QStringList& args)
{
    QProcess tool;
    tool.start(kTool, args);
    EXPECT_TRUE(tool.waitForFinished(20000));
    return tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1;
}

// Starts the tool on a free loopback port and returns the port it reports, 0 on failure.
quint16 StartServing(QProcess& tool, const QStringList& args)
{
    tool.start(kTool, args + QStringList{"--port", "0"});
    const QRegularExpression serving(QStringLiteral("serving on 127\\.0\\.0\\.1:(\\d+)"));
    QByteArray said;
    WaitFor([&] {
        said += tool.readAllStandardError();
        return serving.match(QString::fromUtf8(said)).hasMatch() || tool.state() == QProcess::NotRunning;
    });
    return static_cast<quint16>(serving.match(QString::fromUtf8(said)).captured(1).toUInt());
}

// Reads on the connected sockets until the tool has ended and closed them all.
std::vector<QByteArray> Collect(QProcess& tool, std::vector<std::unique_ptr<QTcpSocket>>& clients)
{
    std::vector<QByteArray> got(clients.size());
    EXPECT_TRUE(WaitFor(
        [&] {
            bool open = false;
            for (std::size_t i = 0; i < clients.size(); ++i) {
                got[i] += clients[i]->readAll();
                open = open || clients[i]->state() != QAbstractSocket::UnconnectedState;
            }
            return !open && tool.state() == QProcess::NotRunning;
        },
        20000));
    for (std::size_t i = 0; i < clients.size(); ++i)
        got[i] += clients[i]->readAll();
    return got;
}

std::unique_ptr<QTcpSocket> Connect(quint16 port)
{
    auto socket = std::make_unique<QTcpSocket>();
    socket->connectToHost(QHostAddress::LocalHost, port);
    EXPECT_TRUE(WaitFor([&socket] { return socket->state() == QAbstractSocket::ConnectedState; }));
    return socket;
}

TEST(FeedCommand, SimulateOutWritesTheSessionAtOnce)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("race.feed");
    EXPECT_EQ(RunTool({"simulate", "--cars", "5", "--laps", "2", "--seed", "11", "--out", path}), 0);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), AsFeed(SimulateSession(SmallRace())));
}

// A race of more than three minutes at speed 2000 is over in a fraction of that, and both clients
// get exactly the feed that --out writes.
TEST(FeedCommand, SimulateServesEveryLoopbackClientTheWholeFeedFaster)
{
    QProcess tool;
    QElapsedTimer clock;
    clock.start();
    const quint16 port =
        StartServing(tool, {"simulate", "--cars", "5", "--laps", "2", "--seed", "11", "--speed", "2000"});
    ASSERT_NE(port, 0);
    std::vector<std::unique_ptr<QTcpSocket>> clients;
    clients.push_back(Connect(port));
    clients.push_back(Connect(port));
    const auto got = Collect(tool, clients);
    EXPECT_LT(clock.elapsed(), 60000);
    EXPECT_EQ(tool.exitCode(), 0);
    const QByteArray expected = AsFeed(SimulateSession(SmallRace()));
    EXPECT_EQ(got[0], expected);
    EXPECT_EQ(got[1], expected);
}

// Session after session reaches the client on one connection, each exactly as the series makes it, until
// SIGTERM (the demo closing) ends the tool cleanly and closes the connection.
TEST(FeedCommand, RepeatRunsOneSessionAfterAnotherUntilTerminated)
{
    QProcess tool;
    const quint16 port =
        StartServing(tool, {"simulate", "--cars", "3", "--laps", "1", "--seed", "11", "--speed", "1000", "--repeat"});
    ASSERT_NE(port, 0);
    auto client = Connect(port);
    TSimOptions options = SmallRace();
    options.cars = 3;
    options.laps = 1;
    TSimSeries series(options);
    QByteArray expected;
    for (int session = 0; session < 3; ++session)
        expected += AsFeed(series.Next());
    QByteArray got;
    EXPECT_TRUE(WaitFor([&] {
        got += client->readAll();
        return got.size() >= expected.size() || tool.state() == QProcess::NotRunning;
    }));
    EXPECT_EQ(got.left(expected.size()), expected);

    tool.terminate();
    EXPECT_TRUE(WaitFor([&] {
        client->readAll();
        return tool.state() == QProcess::NotRunning && client->state() == QAbstractSocket::UnconnectedState;
    }));
    EXPECT_EQ(tool.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(tool.exitCode(), 0);
}

TEST(FeedCommand, InterruptEndsAToolThatWaitsForItsFirstClient)
{
    QProcess tool;
    ASSERT_NE(StartServing(tool, {"simulate", "--repeat"}), 0);
    ::kill(static_cast<pid_t>(tool.processId()), SIGINT);
    EXPECT_TRUE(tool.waitForFinished(10000));
    EXPECT_EQ(tool.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(tool.exitCode(), 0);
}

// Eleven lines, one of them with a CR before its LF, which the replay passes on as it is.
QByteArray WriteRecording(const QString& path)
{
    QByteArray recorded;
    for (int i = 1; i <= 11; ++i)
        recorded += "$C," + QByteArray::number(i) + ",\"Class\"" + (i == 5 ? "\r\n" : "\n");
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(recorded);
    return recorded;
}

TEST(FeedCommand, ServeReplaysAFileAtTheGivenRate)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("short.feed");
    const QByteArray recorded = WriteRecording(path);
    QProcess tool;
    const quint16 port = StartServing(tool, {"serve", path, "--rate", "50"});
    ASSERT_NE(port, 0);
    auto client = Connect(port);
    QElapsedTimer clock;
    QByteArray got;
    qint64 lastArrival = 0;
    clock.start();
    WaitFor([&] {
        got += client->readAll();
        if (got.endsWith('\n') && got.count('\n') == 11 && lastArrival == 0)
            lastArrival = clock.elapsed();
        return tool.state() == QProcess::NotRunning && client->state() == QAbstractSocket::UnconnectedState;
    });
    got += client->readAll();
    EXPECT_EQ(got, recorded);
    // Ten gaps of 20 ms each between the first line and the last.
    EXPECT_GE(lastArrival, 180);
    EXPECT_EQ(tool.exitCode(), 0);
}

TEST(FeedCommand, ExitStatusTellsWhatWentWrong)
{
    EXPECT_EQ(RunTool({"simulate", "--cars", "none"}), 2);
    EXPECT_EQ(RunTool({"serve"}), 2);
    EXPECT_EQ(RunTool({"serve", "/nonexistent/race.feed"}), 1);
    EXPECT_EQ(RunTool({"simulate", "--out", "/nonexistent/dir/race.feed"}), 1);
    EXPECT_EQ(RunTool({"simulate", "--serial", "/nonexistent/ttyX"}), 1);
    QTcpServer taken;
    ASSERT_TRUE(taken.listen(QHostAddress::LocalHost, 0));
    EXPECT_EQ(RunTool({"simulate", "--port", QString::number(taken.serverPort())}), 1);
}

// The timing computer's serial line is played by a socat pty pair: the tool writes on one end, the
// test reads the other.
TEST(FeedCommand, SimulateWritesTheFeedToASerialDevice)
{
    if (!TPtyPair::Available())
        GTEST_SKIP() << "socat is not installed";
    TPtyPair pty;
    ASSERT_TRUE(pty.Ready());
    QProcess tool;
    tool.start(kTool, {"simulate", "--cars", "5", "--laps", "2", "--seed", "11", "--speed", "2000", "--serial",
                       pty.DeviceA()});
    const QByteArray expected = AsFeed(SimulateSession(SmallRace()));
    QByteArray got;
    EXPECT_TRUE(WaitFor([&] {
        got += pty.ReadAvailable();
        return got.size() >= expected.size() && tool.state() == QProcess::NotRunning;
    }));
    EXPECT_EQ(tool.exitCode(), 0);
    EXPECT_EQ(got, expected);
}

} // namespace
} // namespace kav
