#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QHostAddress>
#include <QTcpSocket>
#include <memory>

#include "feed_broadcaster.h"
#include "feed_pacer.h"
#include "feed_wait.h"

namespace kav {
namespace {

std::vector<TSimLine> Timed(int count, TimeValue step)
{
    std::vector<TSimLine> lines;
    for (int i = 0; i < count; ++i)
        lines.push_back({i * step, "$C," + std::to_string(i + 1) + ",\"Class\""});
    return lines;
}

// Plays the lines and gives back what the sink got and how long it took in milliseconds.
std::pair<std::vector<std::string>, qint64> Play(const std::vector<TSimLine>& lines, double speed)
{
    std::vector<std::string> got;
    bool finished = false;
    TFeedPacer pacer(lines, speed, [&got](const std::string& line) { got.push_back(line); });
    QObject::connect(&pacer, &TFeedPacer::Finished, [&finished] { finished = true; });
    QElapsedTimer clock;
    clock.start();
    pacer.Start();
    EXPECT_TRUE(WaitFor([&finished] { return finished; }));
    return {got, clock.elapsed()};
}

TEST(FeedPacer, SendsEachLineWhenItsTimeComesAndSpeedShortensTheWait)
{
    const auto lines = Timed(5, 1000); // 0.4 s of session time
    std::vector<std::string> texts;
    for (const auto& line : lines)
        texts.push_back(line.text);

    const auto [atOne, msAtOne] = Play(lines, 1.0);
    EXPECT_EQ(atOne, texts);
    EXPECT_GE(msAtOne, 390);

    const auto [atHundred, msAtHundred] = Play(lines, 100.0);
    EXPECT_EQ(atHundred, texts);
    EXPECT_LT(msAtHundred, 390);
}

// With --repeat the pacer plays one session after another; stopping it sends nothing more.
TEST(FeedPacer, RestartPlaysTheNextLinesAfterTheDelayAndStopEndsThePlay)
{
    std::vector<std::string> got;
    int finished = 0;
    TFeedPacer pacer(Timed(3, 100), 1.0, [&got](const std::string& line) { got.push_back(line); });
    QObject::connect(&pacer, &TFeedPacer::Finished, [&finished] { ++finished; });
    pacer.Start();
    ASSERT_TRUE(WaitFor([&finished] { return finished == 1; }));

    QElapsedTimer clock;
    clock.start();
    pacer.Restart(Timed(2, 100), 2000); // 0.2 s of break
    ASSERT_TRUE(WaitFor([&finished] { return finished == 2; }));
    EXPECT_GE(clock.elapsed(), 190);
    EXPECT_EQ(got.size(), 5u);

    pacer.Restart(Timed(2, 1000), 0); // the first line at once, the second 0.1 s later
    pacer.Stop();
    WaitFor([] { return false; }, 300);
    EXPECT_EQ(got.size(), 6u);
    EXPECT_EQ(finished, 2);
}

std::unique_ptr<QTcpSocket> Connect(quint16 port)
{
    auto socket = std::make_unique<QTcpSocket>();
    socket->connectToHost(QHostAddress::LocalHost, port);
    EXPECT_TRUE(WaitFor([&socket] { return socket->state() == QAbstractSocket::ConnectedState; }));
    return socket;
}

QByteArray ReadUntilClosed(QTcpSocket& socket)
{
    QByteArray got;
    EXPECT_TRUE(WaitFor([&] {
        got += socket.readAll();
        return socket.state() == QAbstractSocket::UnconnectedState;
    }));
    return got + socket.readAll();
}

TEST(FeedBroadcaster, EveryClientGetsTheWholeFeedInOrderAndALateOneCatchesUp)
{
    TFeedBroadcaster server;
    ASSERT_TRUE(server.Listen("127.0.0.1", 0));
    int firstClients = 0;
    bool closed = false;
    QObject::connect(&server, &TFeedBroadcaster::FirstClient, [&firstClients] { ++firstClients; });
    QObject::connect(&server, &TFeedBroadcaster::AllClosed, [&closed] { closed = true; });

    auto early = Connect(server.Port());
    ASSERT_TRUE(WaitFor([&server] { return server.ClientCount() == 1; }));
    server.Send("$C,1,\"A\"");
    server.Send("$C,2,\"B\"");
    auto late = Connect(server.Port());
    ASSERT_TRUE(WaitFor([&server] { return server.ClientCount() == 2; }));
    server.Send("$C,3,\"C\"");
    server.Finish();

    const QByteArray whole = "$C,1,\"A\"\n$C,2,\"B\"\n$C,3,\"C\"\n";
    EXPECT_EQ(ReadUntilClosed(*early), whole);
    EXPECT_EQ(ReadUntilClosed(*late), whole);
    EXPECT_TRUE(WaitFor([&closed] { return closed; }));
    EXPECT_EQ(firstClients, 1);
}

TEST(FeedBroadcaster, ANewSessionKeepsTheClientsAndALateOneCatchesUpFromItsStart)
{
    TFeedBroadcaster server;
    ASSERT_TRUE(server.Listen("127.0.0.1", 0));
    auto early = Connect(server.Port());
    ASSERT_TRUE(WaitFor([&server] { return server.ClientCount() == 1; }));
    server.Send("$B,1,\"Race 1\"");
    server.StartSession();
    server.Send("$B,2,\"Race 2\"");
    auto late = Connect(server.Port());
    ASSERT_TRUE(WaitFor([&server] { return server.ClientCount() == 2; }));
    server.Finish();
    server.Send("$B,3,\"Race 3\""); // too late: the feed is over

    EXPECT_EQ(ReadUntilClosed(*early), "$B,1,\"Race 1\"\n$B,2,\"Race 2\"\n");
    EXPECT_EQ(ReadUntilClosed(*late), "$B,2,\"Race 2\"\n");
}

TEST(FeedBroadcaster, ListensOnlyWhereItIsTold)
{
    TFeedBroadcaster server;
    EXPECT_FALSE(server.Listen("not an address", 0));
    ASSERT_TRUE(server.Listen("127.0.0.1", 0));
    TFeedBroadcaster second;
    EXPECT_FALSE(second.Listen("127.0.0.1", server.Port()));
}

} // namespace
} // namespace kav
