#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QHostAddress>
#include <QTcpSocket>
#include <QtCore/qtestsupport_core.h>
#include <memory>

#include "feed_broadcaster.h"
#include "feed_pacer.h"

namespace kav {
namespace {

std::vector<TSimLine> Timed(int count, TimeValue step)
{
    std::vector<TSimLine> lines;
    for (int i = 0; i < count; ++i)
        lines.push_back({i * step, "$C," + std::to_string(i + 1) + ",\"Class\""});
    return lines;
}

// A pacer that keeps what it sent and counts its finishes.
struct Played {
    std::vector<std::string> lines;
    int finished = 0;
    TFeedPacer pacer;
    Played(const std::vector<TSimLine>& timed, double speed)
        : pacer(timed, speed, [this](const std::string& line) { lines.push_back(line); })
    {
        QObject::connect(&pacer, &TFeedPacer::Finished, [this] { ++finished; });
    }
};

// No line leaves before its time, and a faster clock sends the same lines sooner: at speed 100 a
// session of 0.4 s is over before one of 0.2 s at speed 1.
TEST(FeedPacer, SendsEachLineWhenItsTimeComesAndSpeedShortensTheWait)
{
    Played normal(Timed(5, 500), 1.0);
    Played fast(Timed(5, 1000), 100.0);
    QElapsedTimer clock;
    clock.start();
    normal.pacer.Start();
    fast.pacer.Start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return fast.finished == 1; }));
    EXPECT_EQ(normal.finished, 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return normal.finished == 1; }));
    EXPECT_GE(clock.elapsed(), 200);
    EXPECT_EQ(fast.lines, normal.lines);
    EXPECT_EQ(normal.lines.size(), 5u);
}

// With --repeat the pacer plays one session after another, after the break; stopping it sends
// nothing more. A twin pacer started alongside tells when the stopped one's line would have come.
TEST(FeedPacer, RestartPlaysTheNextLinesAfterTheBreakAndStopEndsThePlay)
{
    Played played(Timed(3, 100), 1.0);
    played.pacer.Start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return played.finished == 1; }));
    QElapsedTimer clock;
    clock.start();
    played.pacer.Restart(Timed(2, 100), 2000); // 0.2 s of break
    ASSERT_TRUE(QTest::qWaitFor([&] { return played.finished == 2; }));
    EXPECT_GE(clock.elapsed(), 200);
    EXPECT_EQ(played.lines.size(), 5u);

    Played twin(Timed(2, 1500), 1.0);
    played.pacer.Restart(Timed(2, 1000), 0); // the first line at once, the second 0.1 s later
    twin.pacer.Start();
    played.pacer.Stop();
    ASSERT_TRUE(QTest::qWaitFor([&] { return twin.finished == 1; }));
    EXPECT_EQ(played.lines.size(), 6u);
    EXPECT_EQ(played.finished, 2);
}

std::unique_ptr<QTcpSocket> Connect(TFeedBroadcaster& server, int clients)
{
    auto socket = std::make_unique<QTcpSocket>();
    socket->connectToHost(QHostAddress::LocalHost, server.Port());
    EXPECT_TRUE(QTest::qWaitFor([&] { return server.ClientCount() == clients; }));
    return socket;
}

QByteArray ReadUntilClosed(QTcpSocket& socket)
{
    QByteArray got;
    EXPECT_TRUE(QTest::qWaitFor([&] {
        got += socket.readAll();
        return socket.state() == QAbstractSocket::UnconnectedState;
    }));
    return got + socket.readAll();
}

// Every client gets the session in order; a late one first catches up from the start of the current
// session, and a line after Finish reaches nobody.
TEST(FeedBroadcaster, EveryClientGetsTheWholeSessionAndALateOneCatchesUp)
{
    TFeedBroadcaster server;
    ASSERT_TRUE(server.Listen("127.0.0.1", 0));
    TFeedBroadcaster other;
    EXPECT_FALSE(other.Listen("not an address", 0));
    EXPECT_FALSE(other.Listen("127.0.0.1", server.Port())) << "the port is taken";
    int firstClients = 0;
    bool closed = false;
    QObject::connect(&server, &TFeedBroadcaster::FirstClient, [&] { ++firstClients; });
    QObject::connect(&server, &TFeedBroadcaster::AllClosed, [&] { closed = true; });
    auto early = Connect(server, 1);
    server.Send("$B,1,\"Race 1\"");
    server.StartSession();
    server.Send("$B,2,\"Race 2\"");
    server.Send("$C,1,\"A\"");
    auto late = Connect(server, 2);
    server.Send("$C,2,\"B\"");
    server.Finish();
    server.Send("$B,3,\"Race 3\"");
    EXPECT_EQ(ReadUntilClosed(*early), "$B,1,\"Race 1\"\n$B,2,\"Race 2\"\n$C,1,\"A\"\n$C,2,\"B\"\n");
    EXPECT_EQ(ReadUntilClosed(*late), "$B,2,\"Race 2\"\n$C,1,\"A\"\n$C,2,\"B\"\n");
    EXPECT_TRUE(QTest::qWaitFor([&] { return closed; }));
    EXPECT_EQ(firstClients, 1);
}

} // namespace
} // namespace kav
