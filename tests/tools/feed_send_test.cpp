#include <gtest/gtest.h>

#include <QHostAddress>
#include <QTcpSocket>
#include <QtCore/qtestsupport_core.h>
#include <memory>

#include "feed_broadcaster.h"

namespace kav {
namespace {

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
