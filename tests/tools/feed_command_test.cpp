// The kavendor-feed tool run as a separate process, as the demo and an operator run it.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QtCore/qtestsupport_core.h>
#include <csignal>
#include <memory>

#include "case_table.h"
#include "child_process.h"
#include "pty_pair.h"
#include "qt_files.h"
#include "race_session.h"
#include "sim_series.h"

namespace kav {
namespace {

const QString kTool = QStringLiteral(KAV_FEED_TOOL);

QByteArray asFeed(const std::vector<SimLine>& lines)
{
    QByteArray bytes;
    for (const auto& line : lines)
        bytes += QByteArray::fromStdString(line.text) + '\n';
    return bytes;
}

std::unique_ptr<QTcpSocket> connectTo(quint16 port)
{
    auto socket = std::make_unique<QTcpSocket>();
    socket->connectToHost(QHostAddress::LocalHost, port);
    EXPECT_TRUE(QTest::qWaitFor([&socket] { return socket->state() == QAbstractSocket::ConnectedState; }));
    return socket;
}

// Reads until the tool has ended and closed the connection, or until it has sent the given bytes.
QByteArray collect(QProcess& tool, QTcpSocket& client, qsizetype enough = -1)
{
    QByteArray got;
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            got += client.readAll();
            return (enough >= 0 && got.size() >= enough) ||
                   (tool.state() == QProcess::NotRunning && client.state() == QAbstractSocket::UnconnectedState);
        },
        60000));
    return got + client.readAll();
}

// Session after session on one connection, each as the series makes it, until SIGTERM (the demo
// closing) ends the tool cleanly; SIGINT ends one that still waits for its first client.
TEST(FeedCommand, RepeatRunsSessionsUntilTerminatedAndAnInterruptEndsTheWait)
{
    QProcess tool;
    const QStringList args = {"simulate", "--cars", "3", "--laps", "1", "--seed", "11", "--speed", "1000", "--repeat"};
    const quint16 port = startServing(tool, kTool, args);
    ASSERT_NE(port, 0);
    auto client = connectTo(port);
    SimSeries series({.cars = 3, .laps = 1, .seed = 11});
    QByteArray expected;
    for (int session = 0; session < 3; ++session)
        expected += asFeed(series.next());
    EXPECT_EQ(collect(tool, *client, expected.size()).left(expected.size()), expected);
    tool.terminate();
    collect(tool, *client);
    EXPECT_EQ(tool.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(tool.exitCode(), 0);

    QProcess waiting;
    ASSERT_NE(startServing(waiting, kTool, args), 0);
    ::kill(static_cast<pid_t>(waiting.processId()), SIGINT);
    EXPECT_TRUE(waiting.waitForFinished(10000));
    EXPECT_EQ(waiting.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(waiting.exitCode(), 0);
}

// Eleven lines, one with a CR before its LF, which the replay passes on as it is, 20 ms apart; a last
// line without LF is not sent, as the program would not take it.
TEST(FeedCommand, ServeReplaysAFileByteForByteAtTheGivenRate)
{
    QTemporaryDir dir;
    QByteArray recorded;
    for (int i = 1; i <= 11; ++i)
        recorded += "$C," + QByteArray::number(i) + ",\"Class\"" + (i == 5 ? "\r\n" : "\n");
    ASSERT_TRUE(writeAll(dir.filePath("short.feed"), recorded + "$C,12"));
    QProcess tool;
    const quint16 port = startServing(tool, kTool, {"serve", dir.filePath("short.feed"), "--rate", "50"});
    ASSERT_NE(port, 0);
    QElapsedTimer clock;
    clock.start();
    auto client = connectTo(port);
    EXPECT_EQ(collect(tool, *client), recorded);
    EXPECT_GE(clock.elapsed(), 200) << "ten gaps of 20 ms between the first line and the last";
    EXPECT_EQ(tool.exitCode(), 0);
}

TEST(FeedCommand, ExitStatusTellsWhatWentWrong)
{
    QTcpServer taken;
    ASSERT_TRUE(taken.listen(QHostAddress::LocalHost, 0));
    for (const auto& row : readCaseTable(KAV_TEST_DATA "/tools/feed_tool_exit_statuses.txt")) {
        const QString args =
            QString::fromStdString(row.at(1)).replace("{taken port}", QString::number(taken.serverPort()));
        EXPECT_EQ(runProcess(kTool, args.split(u' ')).status, std::stoi(row.at(0))) << row[1];
    }
}

} // namespace
} // namespace kav
