#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <QtCore/qtestsupport_core.h>

#include <memory>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>

#include "client_socket_comm.h"
#include "feed_server.h"
#include "kavendor_comm.h"
#include "scripted_prompts.h"

namespace kav {
namespace {

const QString kRemoteClose = QStringLiteral("Connection has been remotely closed.\r\rTry to reconnect?");
const QString kFailed =
    QStringLiteral("Failed to open TCP/IP connection,\ror connection has been remotely closed.\r\rTry to reconnect?");

// Long enough for anything already under way on the loopback to have shown itself.
constexpr int kSettleMs = 400;

class TcpChannel : public ::testing::Test {
protected:
    TcpChannel()
    {
        device.SetPrompts(&prompts);
        QObject::connect(&device, &TDevice::lineReceived, [this](const QByteArray& line) { lines.append(line); });
        QObject::connect(&device, &TDevice::lineDropped, [this] { ++overflows; });
        device.Settings.CommType = TCommType::TCPIP;
        device.Settings.TCPIP_Addr = QStringLiteral("127.0.0.1");
        device.Settings.TCPIP_Port = server.Port();
    }

    const TClientSocketComm* Channel() const { return dynamic_cast<const TClientSocketComm*>(device.Communication()); }

    bool Connected() const { return Channel() && Channel()->Socket().state() == QAbstractSocket::ConnectedState; }

    // Opens the device and waits until both ends see the connection.
    bool Connect(int connectionsBefore = 0)
    {
        device.Open();
        return server.WaitForConnections(connectionsBefore + 1) && QTest::qWaitFor([this] { return Connected(); });
    }

    TFeedServer server;
    TScriptedPrompts prompts;
    TKavendorComm device;
    QList<QByteArray> lines;
    int overflows = 0;
};

TEST_F(TcpChannel, TwoLinesInOneSegmentArriveInOrderWithTheirLineEnds)
{
    ASSERT_TRUE(Connect());
    ASSERT_TRUE(server.Send("$F,9999,\"00:12:34\"\r\n$G,3,\"1234BE\",,\"00:00:00.000\"\n"));
    ASSERT_TRUE(QTest::qWaitFor([this] { return lines.size() == 2; }));
    EXPECT_EQ(lines, (QList<QByteArray>{"$F,9999,\"00:12:34\"\r\n", "$G,3,\"1234BE\",,\"00:00:00.000\"\n"}));
}

TEST_F(TcpChannel, ALineSplitOverSegmentsIsDeliveredOnceItsLfArrives)
{
    ASSERT_TRUE(Connect());
    ASSERT_TRUE(server.Send("$G,1,\"12"));
    ASSERT_TRUE(QTest::qWaitFor([this] { return device.partialLine() == "$G,1,\"12"; }));
    EXPECT_TRUE(lines.isEmpty());
    ASSERT_TRUE(server.Send("34\",5\r\n"));
    ASSERT_TRUE(QTest::qWaitFor([this] { return !lines.isEmpty(); }));
    QTest::qWait(kSettleMs);
    EXPECT_EQ(lines, QList<QByteArray>{"$G,1,\"1234\",5\r\n"});
}

TEST_F(TcpChannel, TheConnectionKeepsItselfAlive)
{
    ASSERT_TRUE(Connect());
    const auto descriptor = static_cast<int>(Channel()->Socket().socketDescriptor());
    const auto option = [descriptor](int level, int name) {
        int value = -1;
        socklen_t size = sizeof value;
        return getsockopt(descriptor, level, name, &value, &size) == 0 ? value : -1;
    };
    EXPECT_EQ(option(SOL_SOCKET, SO_KEEPALIVE), 1);
    EXPECT_EQ(option(IPPROTO_TCP, TCP_KEEPIDLE), 10); // a dead link shows within half a minute
    EXPECT_EQ(option(IPPROTO_TCP, TCP_KEEPINTVL), 5);
    EXPECT_EQ(option(IPPROTO_TCP, TCP_KEEPCNT), 3);
}

TEST_F(TcpChannel, AnEndlessLineIsDroppedAndCountedAsOneBadLine)
{
    ASSERT_TRUE(Connect());
    ASSERT_TRUE(server.Send(QByteArray(70000, 'x') + "\n$F,1\n"));
    ASSERT_TRUE(QTest::qWaitFor([this] { return !lines.isEmpty(); }));
    EXPECT_EQ(lines, QList<QByteArray>{"$F,1\n"});
    EXPECT_EQ(overflows, 1);
}

TEST_F(TcpChannel, ARemoteCloseAsksOnceAndYesReconnectsAfterAPause)
{
    ASSERT_TRUE(Connect());
    QElapsedTimer sinceYes;
    prompts.Answers = {true};
    prompts.WhileOpen = [&] { sinceYes.start(); };
    ASSERT_TRUE(server.Send("$F,1\n$G,part"));
    server.CloseLatest();

    ASSERT_TRUE(server.WaitForConnections(2));
    EXPECT_GE(sinceYes.elapsed(), 150);
    EXPECT_EQ(prompts.Questions, QList<QString>{kRemoteClose});
    EXPECT_EQ(lines, QList<QByteArray>{"$F,1\n"}); // the unfinished line is never delivered
}

TEST_F(TcpChannel, NoLeavesTheDeviceSilent)
{
    ASSERT_TRUE(Connect());
    prompts.Answers = {false};
    server.CloseLatest();
    ASSERT_TRUE(QTest::qWaitFor([this] { return !prompts.Questions.isEmpty(); }));
    QTest::qWait(kSettleMs);
    EXPECT_EQ(prompts.Questions, QList<QString>{kRemoteClose});
    EXPECT_EQ(server.ConnectionCount(), 1);
}

TEST_F(TcpChannel, ARefusedPortAsksAndYesRetriesWithTheCurrentSettings)
{
    const quint16 port = server.Port();
    server.StopListening();
    prompts.Answers = {true};
    prompts.WhileOpen = [&] { server.Listen(port); };
    device.Open();
    ASSERT_TRUE(server.WaitForConnections(1));
    EXPECT_EQ(prompts.Questions, QList<QString>{kFailed});
}

TEST_F(TcpChannel, OurOwnClosesNeverAsk)
{
    ASSERT_TRUE(Connect());
    device.Close();
    ASSERT_TRUE(Connect(1));
    device.Open(); // as the settings dialog's OK does
    ASSERT_TRUE(QTest::qWaitFor([this] { return server.ConnectionCount() == 3 && Connected(); }));
    {
        TKavendorComm shutDown; // destroyed while connected
        shutDown.SetPrompts(&prompts);
        shutDown.Settings = device.Settings;
        shutDown.Open();
        ASSERT_TRUE(server.WaitForConnections(4));
        ASSERT_TRUE(QTest::qWaitFor([&] { return shutDown.Communication()->IsOpen(); }));
    }
    QTest::qWait(kSettleMs);
    EXPECT_TRUE(prompts.Questions.isEmpty());
}

TEST_F(TcpChannel, AFailureWhileAQuestionIsOpenAsksNothingMore)
{
    ASSERT_TRUE(Connect());
    prompts.Answers = {true, false};
    prompts.WhileOpen = [&] {
        // While the box is up the channel is replaced by one that fails at once.
        server.StopListening();
        device.Open();
        EXPECT_TRUE(QTest::qWaitFor([this] { return !device.Communication()->IsOpen(); }));
        QTest::qWait(kSettleMs);
    };
    server.CloseLatest();

    // Yes still reconnects, and that attempt fails and asks again, once the first box has closed.
    ASSERT_TRUE(QTest::qWaitFor([this] { return prompts.Questions.size() == 2; }));
    EXPECT_EQ(prompts.MostOpenAtOnce, 1);
    EXPECT_EQ(prompts.Questions, (QList<QString>{kRemoteClose, kFailed}));
}

TEST_F(TcpChannel, AYesGivenAfterTheChannelWasReplacedOrClosedDoesNothing)
{
    ASSERT_TRUE(Connect());
    prompts.Answers = {true, true};
    prompts.WhileOpen = [&] { ASSERT_TRUE(Connect(1)); }; // the settings dialog's OK, say
    server.CloseLatest();
    ASSERT_TRUE(QTest::qWaitFor([this] { return prompts.Questions.size() == 1 && !prompts.OpenQuestions; }));
    QTest::qWait(kSettleMs);
    EXPECT_EQ(server.ConnectionCount(), 2);
    EXPECT_TRUE(Connected());

    prompts.WhileOpen = [&] { device.Close(); }; // shutdown
    server.CloseLatest();
    ASSERT_TRUE(QTest::qWaitFor([this] { return prompts.Questions.size() == 2 && !prompts.OpenQuestions; }));
    QTest::qWait(kSettleMs);
    EXPECT_EQ(server.ConnectionCount(), 2);
    EXPECT_EQ(device.Communication(), nullptr);
}

TEST_F(TcpChannel, UnattendedScreensRetryWithoutAsking)
{
    device.Settings.TCPIP_AutoReconnect = true;
    device.SetAutoReconnectInterval(std::chrono::milliseconds(100));
    ASSERT_TRUE(Connect());
    const quint16 port = server.Port();
    server.StopListening();
    server.CloseLatest();
    ASSERT_TRUE(QTest::qWaitFor([this] { return !Connected(); }));
    QTest::qWait(kSettleMs); // a few refused attempts
    ASSERT_TRUE(server.Listen(port));
    ASSERT_TRUE(server.WaitForConnections(2));
    EXPECT_TRUE(prompts.Questions.isEmpty());
}

TEST_F(TcpChannel, ASilentConnectionIsDroppedAndReopened)
{
    device.Settings.TCPIP_AutoReconnect = true;
    device.Settings.TCPIP_SilenceTimeout = 1;
    device.SetAutoReconnectInterval(std::chrono::milliseconds(100));
    ASSERT_TRUE(Connect());
    const QPointer<QTcpSocket> first = server.Latest();
    ASSERT_TRUE(server.WaitForConnections(2, 10000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !first || first->state() == QAbstractSocket::UnconnectedState; }));
    EXPECT_TRUE(prompts.Questions.isEmpty());
}

TEST_F(TcpChannel, AHeartbeatKeepsTheConnectionOpen)
{
    device.Settings.TCPIP_AutoReconnect = true;
    device.Settings.TCPIP_SilenceTimeout = 1;
    ASSERT_TRUE(Connect());
    QTimer heartbeat;
    QObject::connect(&heartbeat, &QTimer::timeout, [this] { server.Latest()->write("$F,9999\n"); });
    heartbeat.start(100);
    ASSERT_TRUE(QTest::qWaitFor([this] { return lines.size() >= 25; }, 10000));
    EXPECT_EQ(server.ConnectionCount(), 1);
    EXPECT_TRUE(Connected());
}

TEST_F(TcpChannel, TheSettingsFileChoosesTheServer)
{
    QTemporaryDir folder;
    QFile file(folder.filePath(QStringLiteral("Communication.ini")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(
        "[Communication]\r\nCommType=TCPIP\r\n\r\n[Communication\\TCPIP]\r\nTCPIP_Addr=127.0.0.1\r\nTCPIP_Port=" +
        QByteArray::number(server.Port()) + "\r\n");
    file.close();
    device.Settings = TCommSettings{};
    device.ProgramDir = folder.path() + QLatin1Char('/');
    device.LoadSettingsAndOpen();
    ASSERT_TRUE(server.WaitForConnections(1));
    EXPECT_EQ(device.Settings.CommType, TCommType::TCPIP);
}

} // namespace
} // namespace kav
