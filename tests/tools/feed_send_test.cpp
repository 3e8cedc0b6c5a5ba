#include <gtest/gtest.h>

#include <QHostAddress>
#include <QTcpSocket>
#include <QtCore/qtestsupport_core.h>
#include <memory>

#include "feed_broadcaster.h"

namespace kav {
namespace {

std::unique_ptr<QTcpSocket> connectTo(FeedBroadcaster& server, int clients)
{
    auto socket = std::make_unique<QTcpSocket>();
    socket->connectToHost(QHostAddress::LocalHost, server.port());
    EXPECT_TRUE(QTest::qWaitFor([&] { return server.clientCount() == clients; }));
    return socket;
}

QByteArray readUntilClosed(QTcpSocket& socket)
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
    FeedBroadcaster server;
    ASSERT_TRUE(server.listen("127.0.0.1", 0));
    FeedBroadcaster other;
    EXPECT_FALSE(other.listen("not an address", 0));
    EXPECT_FALSE(other.listen("127.0.0.1", server.port())) << "the port is taken";
    int firstClients = 0;
    bool closed = false;
    QObject::connect(&server, &FeedBroadcaster::firstClient, [&] { ++firstClients; });
    QObject::connect(&server, &FeedBroadcaster::allClosed, [&] { closed = true; });
    auto early = connectTo(server, 1);
    server.send("$B,1,\"Race 1\"");
    server.startSession();
    server.send("$B,2,\"Race 2\"");
    server.send("$C,1,\"A\"");
    auto late = connectTo(server, 2);
    server.send("$C,2,\"B\"");
    server.finish();
    server.send("$B,3,\"Race 3\"");
    EXPECT_EQ(readUntilClosed(*early), "$B,1,\"Race 1\"\n$B,2,\"Race 2\"\n$C,1,\"A\"\n$C,2,\"B\"\n");
    EXPECT_EQ(readUntilClosed(*late), "$B,2,\"Race 2\"\n$C,1,\"A\"\n$C,2,\"B\"\n");
    EXPECT_TRUE(QTest::qWaitFor([&] { return closed; }));
    EXPECT_EQ(firstClients, 1);
}

} // namespace
} // namespace kav
