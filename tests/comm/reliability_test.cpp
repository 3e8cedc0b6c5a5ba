// The feed over a bad TCP link: connections dropped mid-line, garbage and megabyte lines.
#include <gtest/gtest.h>

#include <QtCore/qtestsupport_core.h>

#include <memory>
#include <random>

#include "client_socket_comm.h"
#include "feed_server.h"
#include "kavendor_comm.h"
#include "line_framer.h"
#include "scripted_prompter.h"
#include "soak_helpers.h"

namespace kav {
namespace {

constexpr qsizetype kMegabyte = 1024 * 1024;

// Feed lines numbered from first on, each ending in LF (every third in CR LF, as some systems send).
QByteArray Numbered(int first, int count)
{
    QByteArray lines;
    for (int n = first; n < first + count; ++n)
        lines += "$F," + QByteArray::number(n) + ",\"00:12:34\",\"14:00:00\",\"00:10:00\",\"Green \"" +
                 (n % 3 == 0 ? "\r\n" : "\n");
    return lines;
}

QList<QByteArray> SplitAfterLf(const QByteArray& bytes)
{
    QList<QByteArray> lines;
    for (qsizetype pos = 0, lf = 0; (lf = bytes.indexOf('\n', pos)) >= 0; pos = lf + 1)
        lines.append(bytes.mid(pos, lf + 1 - pos));
    return lines;
}

class TcpReliability : public ::testing::Test {
protected:
    TcpReliability()
    {
        device.SetPrompts(&prompts);
        QObject::connect(&device, &TDevice::lineReceived, [this](const QByteArray& line) {
            lines.append(line);
            notePending();
        });
        QObject::connect(&device, &TDevice::lineDropped, [this] {
            ++overflows;
            notePending();
        });
        QObject::connect(&device, &TKavendorComm::connectionEnded, [this](bool failed) { failures += failed ? 1 : 0; });
        device.Settings.CommType = TCommType::TCPIP;
        device.Settings.TCPIP_Addr = QStringLiteral("127.0.0.1");
        device.Settings.TCPIP_Port = server.Port();
        device.Settings.TCPIP_AutoReconnect = true;
        device.SetAutoReconnectInterval(std::chrono::milliseconds(50));
    }

    const TClientSocketComm* Channel() const { return dynamic_cast<const TClientSocketComm*>(device.Communication()); }
    bool Connected() const { return Channel() && Channel()->Socket().state() == QAbstractSocket::ConnectedState; }
    bool WaitConnected(int connections)
    {
        return server.WaitForConnections(connections, 10000) && QTest::qWaitFor([this] { return Connected(); });
    }

    void notePending() { mostPending = std::max(mostPending, device.partialLine().size()); }

    TFeedServer server;
    ScriptedPrompter prompts;
    TKavendorComm device;
    QList<QByteArray> lines;
    int overflows = 0;
    int failures = 0;
    qsizetype mostPending = 0;
};

// The server goes away three times with a line half sent: closing politely, resetting the connection,
// and also refusing connections for a while before it comes back.
TEST_F(TcpReliability, ALineCutByADroppedConnectionIsLostAndEveryCompleteLineArrivesOnceInOrder)
{
    device.Open();
    ASSERT_TRUE(WaitConnected(1));
    QByteArray complete;
    for (int drop = 0, next = 1; drop < 3; ++drop, next += 10) {
        SCOPED_TRACE("drop " + std::to_string(drop));
        const QByteArray partial = "$G,7,\"CUT" + QByteArray::number(drop) + "\",12,\"00:1";
        complete += Numbered(next, 5);
        ASSERT_TRUE(server.Send(Numbered(next, 5) + partial));
        ASSERT_TRUE(QTest::qWaitFor([&] { return Connected() && device.partialLine() == partial; }));
        const quint16 port = server.Port();
        const int failed = failures;
        if (drop == 2)
            server.StopListening();
        if (drop == 0)
            server.CloseLatest();
        else
            server.Latest()->abort();
        if (drop == 2) {
            ASSERT_TRUE(QTest::qWaitFor([&] { return failures >= failed + 2; })) << "attempts meet a closed port";
            ASSERT_TRUE(server.Listen(port));
        }
        ASSERT_TRUE(WaitConnected(drop + 2));
        complete += Numbered(next + 5, 5);
        ASSERT_TRUE(server.Send(Numbered(next + 5, 5)));
        ASSERT_TRUE(QTest::qWaitFor([&] { return lines.size() >= SplitAfterLf(complete).size(); }));
    }
    EXPECT_EQ(lines, SplitAfterLf(complete));
    EXPECT_EQ(overflows, 0);
    EXPECT_TRUE(prompts.questions.isEmpty());
}

// A megabyte of random bytes in random pieces, then megabyte lines and lines at the 64 KiB limit: the
// lines let through are exactly the stream without the over-long lines, each of those counts once, and
// the feed after them arrives.
TEST_F(TcpReliability, GarbageAndMegabyteLinesAreFramedOrDroppedAndTheFeedGoesOn)
{
    device.Open();
    ASSERT_TRUE(WaitConnected(1));
    std::mt19937 rng(2024);
    const QByteArray garbage = RandomBytes(rng, kMegabyte) + '\n';
    ASSERT_TRUE(server.Send(Numbered(1, 3)));
    std::uniform_int_distribution<qsizetype> piece(1, 64 * 1024);
    for (qsizetype pos = 0, n = 0; pos < garbage.size(); pos += n)
        ASSERT_TRUE(server.Send(garbage.mid(pos, n = piece(rng))));
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(server.Send(RandomBytes(rng, kMegabyte).replace('\n', 'x') + '\n'));
    const QByteArray longest = QByteArray(TLineFramer::kMaxLine, 'x') + '\n';
    ASSERT_TRUE(server.Send(longest + QByteArray(TLineFramer::kMaxLine + 1, 'y') + '\n' + Numbered(4, 3)));
    const QByteArray passed = Numbered(1, 3) + garbage + longest + Numbered(4, 3);
    ASSERT_TRUE(QTest::qWaitFor([&] { return lines.size() >= SplitAfterLf(passed).size(); }, 20000));
    EXPECT_EQ(lines.join(), passed);
    EXPECT_EQ(overflows, 4);
    EXPECT_LE(mostPending, TLineFramer::kMaxLine);
    EXPECT_TRUE(Connected());
}

} // namespace
} // namespace kav
