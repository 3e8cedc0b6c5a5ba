#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTcpServer>
#include <QTimer>
#include <QtCore/qtestsupport_core.h>
#include <algorithm>

#include "client_socket_communication.h"
#include "feed_server.h"
#include "kavendor_device.h"
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
        device.setPrompts(&prompts);
        QObject::connect(&device, &Device::lineReceived, [this](const QByteArray& line) { lines.append(line); });
        QObject::connect(&device, &Device::linesEnd, [this] { readEnds.append(int(lines.size())); });
        QObject::connect(&device, &KavendorDevice::connectionEnded, [this](bool failed) {
            ++ended;
            failures += failed ? 1 : 0;
        });
        device.Settings.CommType = CommunicationType::TCPIP;
        device.Settings.TCPIP_Addr = QStringLiteral("127.0.0.1");
        device.Settings.TCPIP_Port = server.port();
    }

    const ClientSocketCommunication* channel() const
    {
        return dynamic_cast<const ClientSocketCommunication*>(device.communication());
    }
    bool connected() const { return channel() && channel()->socket().state() == QAbstractSocket::ConnectedState; }

    // Opens the device and waits until both ends see the connection.
    bool connectTo()
    {
        const int before = server.connectionCount();
        device.open();
        return server.waitForConnections(before + 1) && QTest::qWaitFor([this] { return connected(); });
    }
    // Waits until the question has been asked and answered.
    bool answered(int questions)
    {
        return QTest::qWaitFor([&] { return prompts.questions.size() == questions && !prompts.asking(); });
    }

    FeedServer server;
    ScriptedPrompter prompts;
    KavendorDevice device;
    QList<QByteArray> lines;
    QList<int> readEnds; // the line count at each end of the lines of a read
    int ended = 0;       // connections that failed or that the server closed
    int failures = 0;
};

// A line cut by a segment boundary waits for its LF; lines keep their CR and LF and come once each.
TEST_F(TcpChannel, LinesArriveWholeInOrderWhereverTheSegmentsEnd)
{
    ASSERT_TRUE(connectTo());
    ASSERT_TRUE(server.send("$F,9999,\"00:12:34\"\r\n$G,3,\"1234BE\",,\"00:00:00.000\"\n$G,1,\"12"));
    ASSERT_TRUE(QTest::qWaitFor([this] { return device.partialLine() == "$G,1,\"12"; }));
    EXPECT_EQ(lines.size(), 2);
    ASSERT_TRUE(server.send("34\",5\r\n"));
    ASSERT_TRUE(server.send("$F,2\n"));
    ASSERT_TRUE(QTest::qWaitFor([this] { return lines.size() >= 4; }));
    EXPECT_EQ(lines, (QList<QByteArray>{"$F,9999,\"00:12:34\"\r\n", "$G,3,\"1234BE\",,\"00:00:00.000\"\n",
                                        "$G,1,\"1234\",5\r\n", "$F,2\n"}));
    // Every read that gave lines ends with its end, after its last line; a read of part of a line has none.
    ASSERT_FALSE(readEnds.isEmpty());
    EXPECT_EQ(readEnds.back(), lines.size());
    EXPECT_TRUE(std::is_sorted(readEnds.begin(), readEnds.end(), std::less_equal<>())) << readEnds.size();
    const auto endsBefore = readEnds.size();
    ASSERT_TRUE(server.send("$F,"));
    ASSERT_TRUE(QTest::qWaitFor([this] { return device.partialLine() == "$F,"; }));
    EXPECT_EQ(readEnds.size(), endsBefore);
    // A line cut by the end of its connection is never finished by the next one.
    server.closeLatest();
    ASSERT_TRUE(QTest::qWaitFor([this] { return !connected() && device.partialLine().isEmpty(); }));
    ASSERT_TRUE(connectTo() && server.send("$F,3\n"));
    ASSERT_TRUE(QTest::qWaitFor([this] { return lines.size() == 5; }));
    EXPECT_EQ(lines.last(), "$F,3\n");
    // Each line over the 64 KiB bound is dropped and counted, however many one read brings.
    int dropped = 0;
    QObject::connect(&device, &Device::lineDropped, [&dropped] { ++dropped; });
    device.receiveBytes(QByteArray(70000, 'x') + '\n' + QByteArray(70000, 'y') + "\n$F,4\n");
    EXPECT_EQ(std::pair(dropped, lines.last()), std::pair(2, QByteArray("$F,4\n")));
}

// The question comes once; Yes reconnects with the current settings, No leaves the device silent.
TEST_F(TcpChannel, ALostOrRefusedConnectionAsksOnceAndOnlyYesReconnects)
{
    for (const auto& [name, refused, answer] :
         {std::tuple{"closed, Yes", false, Answer::Yes}, std::tuple{"closed, No", false, Answer::No},
          std::tuple{"refused, Yes", true, Answer::Yes}, std::tuple{"refused, No", true, Answer::No}}) {
        SCOPED_TRACE(name);
        prompts.questions.clear();
        prompts.answers = {answer};
        const int before = server.connectionCount();
        if (refused) {
            const quint16 port = server.port();
            server.stopListening();
            prompts.whileAsking = [this, port] { server.listen(port); };
            device.open();
        } else {
            ASSERT_TRUE(connectTo());
            ASSERT_TRUE(server.send("$F,1\n$G,part"));
            server.closeLatest();
        }
        ASSERT_TRUE(answered(1));
        EXPECT_EQ(prompts.questions, QStringList{refused ? kFailed : kRemoteClose});
        EXPECT_EQ(device.ReconnectTimer.isActive(), answer == Answer::Yes);
        const int expected = before + (refused ? 0 : 1) + (answer == Answer::Yes ? 1 : 0);
        EXPECT_TRUE(server.waitForConnections(expected));
        device.close();
    }
    EXPECT_EQ(lines.count("$F,1\n"), 2) << "an unfinished line is never delivered";
    EXPECT_EQ(lines.size(), 2);
}

// Closing, reopening (as the settings dialog's OK does) and destroying a connected device never ask.
TEST_F(TcpChannel, OurOwnClosesNeverAsk)
{
    ASSERT_TRUE(connectTo());
    device.close();
    ASSERT_TRUE(connectTo());
    ASSERT_TRUE(connectTo());
    {
        KavendorDevice shutDown;
        shutDown.setPrompts(&prompts);
        shutDown.Settings = device.Settings;
        shutDown.open();
        ASSERT_TRUE(server.waitForConnections(4));
        ASSERT_TRUE(QTest::qWaitFor([&] { return shutDown.communication()->isOpen(); }));
    }
    const QPointer<QTcpSocket> last = server.latest();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !last || last->state() == QAbstractSocket::UnconnectedState; }));
    QCoreApplication::processEvents();
    EXPECT_TRUE(prompts.questions.isEmpty());
    EXPECT_EQ(ended, 0) << "our own close is no lost connection";
}

// A failure while the box is up asks nothing more; Yes still reconnects, and that attempt fails and asks
// again once the first box has closed.
TEST_F(TcpChannel, AFailureWhileAQuestionIsOpenAsksNothingMore)
{
    ASSERT_TRUE(connectTo());
    prompts.answers = {Answer::Yes, Answer::No};
    prompts.whileAsking = [&] {
        server.stopListening();
        device.open();
        EXPECT_TRUE(QTest::qWaitFor([this] { return failures == 1; }));
        QCoreApplication::processEvents(); // as the box's own event loop would
    };
    server.closeLatest();
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
    device.setAutoReconnectInterval(std::chrono::milliseconds(100));
    ASSERT_TRUE(connectTo());
    QTimer heartbeat;
    QObject::connect(&heartbeat, &QTimer::timeout, [this] { server.latest()->write("$F,9999\n"); });
    heartbeat.start(100);
    ASSERT_TRUE(QTest::qWaitFor([this] { return lines.size() >= 20; }, 10000));
    EXPECT_EQ(server.connectionCount(), 1) << "a heartbeat keeps the connection";
    heartbeat.stop();
    const QPointer<QTcpSocket> silent = server.latest();
    ASSERT_TRUE(server.waitForConnections(2, 10000));
    EXPECT_EQ(failures, 0) << "a silent connection ends as a lost one, not as a failed connect";
    EXPECT_TRUE(QTest::qWaitFor([&] { return !silent || silent->state() == QAbstractSocket::UnconnectedState; }));
    const quint16 port = server.port();
    server.stopListening();
    server.closeLatest();
    ASSERT_TRUE(QTest::qWaitFor([this] { return failures >= 2; }));
    ASSERT_TRUE(server.listen(port));
    ASSERT_TRUE(server.waitForConnections(3));
    EXPECT_TRUE(prompts.questions.isEmpty());
}

// A connect the server never answers (its queue is full) fails after the silence timeout.
TEST_F(TcpChannel, AConnectWithoutAnAnswerFailsAfterTheSilence)
{
    QTcpServer full; // one connection waits in its queue, never accepted: the next gets no answer
    full.setListenBacklogSize(0);
    ASSERT_TRUE(full.listen(QHostAddress::LocalHost));
    full.pauseAccepting();
    QTcpSocket waiting;
    waiting.connectToHost(QHostAddress::LocalHost, full.serverPort());
    ASSERT_TRUE(waiting.waitForConnected(5000));
    device.Settings.TCPIP_AutoReconnect = true;
    device.Settings.TCPIP_SilenceTimeout = 1;
    device.Settings.TCPIP_Port = full.serverPort();
    device.open();
    EXPECT_TRUE(QTest::qWaitFor([this] { return failures == 1; }, 10000)) << failures << " " << ended;
}

// A port of 0 (read from a damaged file) opens nothing and asks nothing.
TEST_F(TcpChannel, NoPortNoConnection)
{
    device.Settings.TCPIP_Port = 0;
    device.open();
    QCoreApplication::processEvents();
    EXPECT_EQ(device.communication(), nullptr);
    EXPECT_EQ(failures + ended, 0);
    EXPECT_TRUE(prompts.questions.isEmpty());
}

// An operator at the screen answers for the connection: a quiet spell longer than the silence timeout
// of unattended screens drops nothing.
TEST_F(TcpChannel, AnAttendedConnectionOutlastsAQuietSpell)
{
    device.Settings.TCPIP_AutoReconnect = false;
    device.Settings.TCPIP_SilenceTimeout = 1;
    ASSERT_TRUE(connectTo());
    QTimer::singleShot(1500, [this] { server.latest()->write("$F,9999\n"); });
    ASSERT_TRUE(QTest::qWaitFor([this] { return lines.size() == 1; }, 10000));
    EXPECT_EQ(server.connectionCount(), 1);
    EXPECT_EQ(ended, 0);
}

} // namespace
} // namespace kav
