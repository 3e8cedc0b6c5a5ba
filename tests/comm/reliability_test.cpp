#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QtCore/qtestsupport_core.h>

#include <atomic>
#include <functional>
#include <memory>
#include <random>
#include <thread>

#include "client_socket_comm.h"
#include "feed_server.h"
#include "kavendor_comm.h"
#include "line_framer.h"
#include "pty_pair.h"
#include "scripted_prompts.h"
#include "soak_helpers.h"

namespace kav {
namespace {

constexpr std::chrono::milliseconds kRetryInterval{50};
// A hang guard, not a speed check: closing waits for the reader thread, which must not get stuck.
constexpr qint64 kCloseHangMs = 5000;
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

// A megabyte of random bytes without any LF, then the LF that ends it.
QByteArray MegabyteLine(std::mt19937& rng)
{
    QByteArray line = RandomBytes(rng, kMegabyte);
    line.replace('\n', 'x');
    return line + '\n';
}

class TcpReliability : public ::testing::Test {
protected:
    TcpReliability()
    {
        device.SetPrompts(&prompts);
        QObject::connect(&device, &TDevice::lineReceived, [this](const QByteArray& line) {
            lines.append(line);
            NotePending();
        });
        QObject::connect(&device, &TDevice::lineDropped, [this] {
            ++overflows;
            NotePending();
        });
        device.Settings.CommType = TCommType::TCPIP;
        device.Settings.TCPIP_Addr = QStringLiteral("127.0.0.1");
        device.Settings.TCPIP_Port = server.Port();
        device.Settings.TCPIP_AutoReconnect = true;
        device.SetAutoReconnectInterval(kRetryInterval);
    }

    const TClientSocketComm* Channel() const { return dynamic_cast<const TClientSocketComm*>(device.Communication()); }
    bool Connected() const { return Channel() && Channel()->Socket().state() == QAbstractSocket::ConnectedState; }
    bool WaitConnected(int connections)
    {
        return server.WaitForConnections(connections, 10000) && QTest::qWaitFor([this] { return Connected(); });
    }
    void NotePending() { mostPending = std::max(mostPending, device.partialLine().size()); }

    TFeedServer server;
    TScriptedPrompts prompts;
    TKavendorComm device;
    QList<QByteArray> lines;
    int overflows = 0;
    qsizetype mostPending = 0;
};

// The server goes away three times with a line half sent: once closing politely, once resetting the
// connection, once also refusing connections for a while before it comes back.
TEST_F(TcpReliability, ALineCutByADroppedConnectionIsLostAndEveryCompleteLineArrivesOnceInOrder)
{
    device.Open();
    ASSERT_TRUE(WaitConnected(1));
    QByteArray complete;
    int next = 1;
    for (int drop = 0; drop < 3; ++drop) {
        const QByteArray before = Numbered(next, 5);
        next += 5;
        const QByteArray partial = "$G,7,\"CUT" + QByteArray::number(drop) + "\",12,\"00:1";
        complete += before;
        ASSERT_TRUE(server.Send(before + partial));
        ASSERT_TRUE(QTest::qWaitFor([&] { return Connected() && device.partialLine() == partial; })) << "drop " << drop;

        const quint16 port = server.Port();
        if (drop == 0) {
            server.CloseLatest();
        } else {
            if (drop == 2)
                server.StopListening();
            server.Latest()->abort();
        }
        ASSERT_TRUE(QTest::qWaitFor([this] { return !Connected(); })) << "drop " << drop;
        if (drop == 2) {
            QTest::qWait(static_cast<int>(4 * kRetryInterval.count())); // a few attempts meet a closed port
            ASSERT_TRUE(server.Listen(port));
        }
        ASSERT_TRUE(WaitConnected(drop + 2)) << "drop " << drop;

        const QByteArray after = Numbered(next, 5);
        next += 5;
        complete += after;
        ASSERT_TRUE(server.Send(after));
        ASSERT_TRUE(QTest::qWaitFor([&] { return lines.size() >= SplitAfterLf(complete).size(); })) << "drop " << drop;
    }
    EXPECT_EQ(lines, SplitAfterLf(complete));
    EXPECT_EQ(overflows, 0);
    EXPECT_TRUE(prompts.Questions.isEmpty());
}

// Random bytes in random pieces, then megabyte lines: the lines the framing lets through are exactly
// the stream without the over-long lines, each of those counts once, and the feed after them arrives.
TEST_F(TcpReliability, GarbageAndMegabyteLinesAreFramedOrDroppedAndTheFeedGoesOn)
{
    device.Open();
    ASSERT_TRUE(WaitConnected(1));
    std::mt19937 rng(2024);
    const QByteArray head = Numbered(1, 3);
    const QByteArray garbage = RandomBytes(rng, kMegabyte) + '\n';
    const QByteArray tail = Numbered(4, 3);
    ASSERT_TRUE(server.Send(head));
    std::uniform_int_distribution<qsizetype> piece(1, 64 * 1024);
    for (qsizetype pos = 0, n = 0; pos < garbage.size(); pos += n) {
        n = piece(rng);
        ASSERT_TRUE(server.Send(garbage.mid(pos, n)));
    }
    constexpr int kLongLines = 3;
    for (int i = 0; i < kLongLines; ++i)
        ASSERT_TRUE(server.Send(MegabyteLine(rng)));
    ASSERT_TRUE(server.Send(tail));

    const QByteArray passed = head + garbage + tail;
    ASSERT_TRUE(QTest::qWaitFor([&] { return lines.size() >= SplitAfterLf(passed).size(); }, 20000));
    EXPECT_EQ(lines.join(), passed);
    EXPECT_EQ(lines.mid(lines.size() - 3), SplitAfterLf(tail));
    EXPECT_EQ(overflows, kLongLines);
    EXPECT_LE(mostPending, TLineFramer::kMaxLine);
    EXPECT_TRUE(Connected());
}

// Twenty megabytes of random bytes and of stretches without any LF: the framing never holds more than
// one line's worth, whatever went through.
TEST(FramingMemory, TwentyMegabytesOfGarbageKeepTheBufferBounded)
{
    std::mt19937 rng(99);
    const QByteArray random = RandomBytes(rng, kMegabyte);
    const QByteArray noLf = MegabyteLine(rng).chopped(1);
    std::uniform_int_distribution<qsizetype> piece(1, 256 * 1024);
    TLineFramer framer;
    qint64 drops = 0;
    qsizetype mostPending = 0;
    for (int round = 0; round < 10; ++round) {
        for (const QByteArray* source : {&random, &noLf}) {
            for (qsizetype pos = 0, n = 0; pos < source->size(); pos += n) {
                n = piece(rng);
                framer.Append(QByteArrayView(*source).sliced(pos, std::min(n, source->size() - pos)));
                drops += framer.TakeDrops();
                mostPending = std::max(mostPending, framer.Pending().size());
            }
        }
        framer.Append("\n");
        drops += framer.TakeDrops();
    }
    EXPECT_LE(mostPending, TLineFramer::kMaxLine);
    EXPECT_GE(drops, 10) << "each stretch without LF is one dropped line at least";
    EXPECT_EQ(framer.Append("$F,1\n"), QList<QByteArray>{"$F,1\n"});
}

class SerialVanish : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!TPtyPair::Available())
            GTEST_SKIP() << "socat is not installed (scripts/setup.sh installs it): no serial pty pair";
        QObject::connect(&device, &TDevice::lineReceived, [this](const QByteArray& line) { lines.append(line); });
    }

    void TearDown() override { StopWriter(); }

    // Opens the device on a fresh pty pair and has a thread stream numbered lines into it until the
    // far end is gone.
    bool StartStreaming()
    {
        pty = std::make_unique<TPtyPair>();
        if (!pty->Ready())
            return false;
        lines.clear();
        device.SetPrompts(&prompts);
        device.Settings.CommType = TCommType::RS232;
        device.Settings.S_Baudrate = 230400;
        device.Settings.S_Device = pty->DeviceA();
        device.Open();
        if (!device.Communication() || !device.Communication()->IsOpen())
            return false;
        stop = false;
        writer = std::thread([this] {
            for (int n = 1; !stop && pty->Write(Numbered(n, 20)); n += 20) {
            }
        });
        return QTest::qWaitFor([this] { return lines.size() >= 40; }, 10000);
    }

    void StopWriter()
    {
        stop = true;
        if (writer.joinable())
            writer.join();
    }

    // Closes the device, failing when that takes so long it can only be stuck.
    void CloseWithinBound()
    {
        QElapsedTimer closing;
        closing.start();
        device.Close();
        EXPECT_LT(closing.elapsed(), kCloseHangMs) << "closing hung";
        EXPECT_EQ(device.Communication(), nullptr);
    }

    std::unique_ptr<TPtyPair> pty;
    TScriptedPrompts prompts;
    TKavendorComm device;
    QList<QByteArray> lines;
    std::thread writer;
    std::atomic<bool> stop{false};
};

// Closed at once, the reader may still be inside a read or a hand-over when the device goes.
TEST_F(SerialVanish, ClosingRightAfterTheFarEndVanishedMidStreamReturns)
{
    for (int round = 0; round < 3; ++round) {
        ASSERT_TRUE(StartStreaming()) << "round " << round;
        pty->KillRelay();
        CloseWithinBound();
        StopWriter();
        const auto delivered = lines.size();
        QTest::qWait(200);
        EXPECT_EQ(lines.size(), delivered) << "a line arrived after the close";
    }
}

// Left alone, the reader notices the loss itself and reports it once; closing afterwards returns.
TEST_F(SerialVanish, AVanishedFarEndIsReportedAndTheDeviceStillCloses)
{
    ASSERT_TRUE(StartStreaming());
    pty->KillRelay();
    ASSERT_TRUE(QTest::qWaitFor([this] { return !device.Communication()->IsOpen(); }, 10000));
    ASSERT_TRUE(QTest::qWaitFor([this] { return !prompts.Warnings.isEmpty(); }, 10000));
    StopWriter();
    EXPECT_EQ(prompts.Warnings.size(), 1);
    EXPECT_EQ(lines, SplitAfterLf(Numbered(1, static_cast<int>(lines.size())))) << "lost, doubled or cut lines";
    CloseWithinBound();
    EXPECT_TRUE(prompts.Questions.isEmpty());
}

} // namespace
} // namespace kav
