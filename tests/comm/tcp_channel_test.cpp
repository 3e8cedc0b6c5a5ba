#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTimer>
#include <QtCore/qtestsupport_core.h>

#include "client_socket_comm.h"
#include "feed_server.h"
#include "kavendor_comm.h"
#include "scripted_prompter.h"

namespace kav {
namespace {

const QString kRemoteClose = QStringLiteral("Connection has been remotely closed.\r\rTry to reconnect?");
const QString kFailed =
    QStringLiteral("Failed to open TCP/IP connection,\ror connection has been remotely closed.\r\rTry to reconnect?");

class TcpChannel : public ::testing::Test {
protected:
    TcpChannel()
    {
        device.SetPrompts(&prompts);
        QObject::connect(&device, &TDevice::lineReceived, [this](const QByteArray& line) { lines.append(line); });
        QObject::connect(&device, &TKavendorComm::connectionEnded, [this](bool failed) {
            ++ended;
            failures += failed ? 1 : 0;
        });
        device.Settings.CommType = TCommType::TCPIP;
        device.Settings.TCPIP_Addr = QStringLiteral("127.0.0.1");
        device.Settings.TCPIP_Port = server.Port();
    }

    const TClientSocketComm* Channel() const { return dynamic_cast<const TClientSocketComm*>(device.Communication()); }
    bool Connected() const { return Channel() && Channel()->Socket().state() == QAbstractSocket::ConnectedState; }

    // Opens the device and waits until both ends see the connection.
    bool Connect()
    {
        const int before = server.ConnectionCount();
        device.Open();
        return server.WaitForConnections(before + 1) && QTest::qWaitFor([this] { return Connected(); });
    }
    // Waits until the question has been asked and answered.
    bool answered(int questions)
    {
        return QTest::qWaitFor([&] { return prompts.questions.size() == questions && !prompts.asking(); });
    }

    TFeedServer server;
    ScriptedPrompter prompts;
    TKavendorComm device;
    QList<QByteArray> lines;
    int ended = 0; // connections that failed or that the server closed
    int failures = 0;
};

// A line cut by a segment boundary waits for its LF; lines keep their CR and LF and come once each.
TEST_F(TcpChannel, LinesArriveWholeInOrderWhereverTheSegmentsEnd)
{
    ASSERT_TRUE(Connect());
    ASSERT_TRUE(server.Send("$F,9999,\"00:12:34\"\r\n$G,3,\"1234BE\",,\"00:00:00.000\"\n$G,1,\"12"));
    ASSERT_TRUE(QTest::qWaitFor([this] { return device.partialLine() == "$G,1,\"12"; }));
    EXPECT_EQ(lines.size(), 2);
    ASSERT_TRUE(server.Send("34\",5\r\n"));
    ASSERT_TRUE(server.Send("$F,2\n"));
    ASSERT_TRUE(QTest::qWaitFor([this] { return lines.size() >= 4; }));
    EXPECT_EQ(lines, (QList<QByteArray>{"$F,9999,\"00:12:34\"\r\n", "$G,3,\"1234BE\",,\"00:00:00.000\"\n",
                                        "$G,1,\"1234\",5\r\n", "$F,2\n"}));
}

// The question comes once; Yes reconnects with the current settings, No leaves the device silent.
TEST_F(TcpChannel, ALostOrRefusedConnectionAsksOnceAndOnlyYesReconnects)
{
    struct Case {
        const char* name;
        bool refused;
        TAnswer answer;
    };
    for (const Case& c : {Case{"closed, Yes", false, TAnswer::Yes}, Case{"closed, No", false, TAnswer::No},
                          Case{"refused, Yes", true, TAnswer::Yes}, Case{"refused, No", true, TAnswer::No}}) {
        SCOPED_TRACE(c.name);
        prompts.questions.clear();
        prompts.answers = {c.answer};
        const int before = server.ConnectionCount();
        if (c.refused) {
            const quint16 port = server.Port();
            server.StopListening();
            prompts.whileAsking = [this, port] { server.Listen(port); };
            device.Open();
        } else {
            ASSERT_TRUE(Connect());
            ASSERT_TRUE(server.Send("$F,1\n$G,part"));
            server.CloseLatest();
        }
        ASSERT_TRUE(answered(1));
        EXPECT_EQ(prompts.questions, QStringList{c.refused ? kFailed : kRemoteClose});
        EXPECT_EQ(device.ReconnectTimer.isActive(), c.answer == TAnswer::Yes);
        const int expected = before + (c.refused ? 0 : 1) + (c.answer == TAnswer::Yes ? 1 : 0);
        EXPECT_TRUE(server.WaitForConnections(expected));
        device.Close();
    }
    EXPECT_EQ(lines.count("$F,1\n"), 2) << "an unfinished line is never delivered";
    EXPECT_EQ(lines.size(), 2);
}

// Closing, reopening (as the settings dialog's OK does) and destroying a connected device never ask.
TEST_F(TcpChannel, OurOwnClosesNeverAsk)
{
    ASSERT_TRUE(Connect());
    device.Close();
    ASSERT_TRUE(Connect());
    ASSERT_TRUE(Connect());
    {
        TKavendorComm shutDown;
        shutDown.SetPrompts(&prompts);
        shutDown.Settings = device.Settings;
        shutDown.Open();
        ASSERT_TRUE(server.WaitForConnections(4));
        ASSERT_TRUE(QTest::qWaitFor([&] { return shutDown.Communication()->IsOpen(); }));
    }
    const QPointer<QTcpSocket> last = server.Latest();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !last || last->state() == QAbstractSocket::UnconnectedState; }));
    QCoreApplication::processEvents();
    EXPECT_TRUE(prompts.questions.isEmpty());
    EXPECT_EQ(ended, 0) << "our own close is no lost connection";
}

// A failure while the box is up asks nothing more; Yes still reconnects, and that attempt fails and asks
// again once the first box has closed.
TEST_F(TcpChannel, AFailureWhileAQuestionIsOpenAsksNothingMore)
{
    ASSERT_TRUE(Connect());
    prompts.answers = {TAnswer::Yes, TAnswer::No};
    prompts.whileAsking = [&] {
        server.StopListening();
        device.Open();
        EXPECT_TRUE(QTest::qWaitFor([this] { return failures == 1; }));
        QCoreApplication::processEvents(); // as the box's own event loop would
    };
    server.CloseLatest();
    ASSERT_TRUE(answered(2));
    EXPECT_EQ(prompts.mostOpenAtOnce, 1);
    EXPECT_EQ(prompts.questions, (QStringList{kRemoteClose, kFailed}));
}

// Unattended screens keep a connection with a heartbeat, drop a silent one, and retry without asking,
// also through refused attempts.
TEST_F(TcpChannel, UnattendedScreensDropASilentConnectionAndRetryWithoutAsking)
{
    device.Settings.TCPIP_AutoReconnect = true;
    device.Settings.TCPIP_SilenceTimeout = 1;
    device.SetAutoReconnectInterval(std::chrono::milliseconds(100));
    ASSERT_TRUE(Connect());
    QTimer heartbeat;
    QObject::connect(&heartbeat, &QTimer::timeout, [this] { server.Latest()->write("$F,9999\n"); });
    heartbeat.start(100);
    ASSERT_TRUE(QTest::qWaitFor([this] { return lines.size() >= 20; }, 10000));
    EXPECT_EQ(server.ConnectionCount(), 1) << "a heartbeat keeps the connection";
    heartbeat.stop();
    const QPointer<QTcpSocket> silent = server.Latest();
    ASSERT_TRUE(server.WaitForConnections(2, 10000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !silent || silent->state() == QAbstractSocket::UnconnectedState; }));
    const quint16 port = server.Port();
    server.StopListening();
    server.CloseLatest();
    ASSERT_TRUE(QTest::qWaitFor([this] { return failures >= 2; }));
    ASSERT_TRUE(server.Listen(port));
    ASSERT_TRUE(server.WaitForConnections(3));
    EXPECT_TRUE(prompts.questions.isEmpty());
}

} // namespace
} // namespace kav
