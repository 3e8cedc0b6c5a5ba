#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QThread>
#include <QtCore/qtestsupport_core.h>

#include <atomic>
#include <thread>

#include "kavendor_comm.h"
#include "pty_pair.h"
#include "scripted_prompts.h"
#include "serial_port.h"
#include "serial_port_settings.h"
#include "tx_queue.h"

namespace kav {
namespace {

constexpr int kSettleMs = 400;

QByteArray Feed(int lineCount)
{
    QByteArray feed;
    for (int i = 0; i < lineCount; ++i)
        feed += "$G," + QByteArray::number(i % 50 + 1) + ",\"" + QByteArray::number(1000 + i) + "\"," +
                QByteArray::number(i) + ",\"00:12:34.567\"" + (i % 3 == 0 ? "\r\n" : "\n");
    return feed;
}

class SerialChannel : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!TPtyPair::Available())
            GTEST_SKIP() << "socat is not installed (scripts/setup.sh installs it): no serial pty pair";
        pty = std::make_unique<TPtyPair>();
        ASSERT_TRUE(pty->Ready()) << "socat did not make the pty pair";
        device.SetPrompts(&prompts);
        QObject::connect(&device, &TDevice::lineReceived, [this](const QByteArray& line) {
            onMainThread = onMainThread && QThread::currentThread() == QCoreApplication::instance()->thread();
            lines.append(line);
            if (onLine)
                onLine();
        });
        QObject::connect(&device, &TDevice::lineDropped, [this] { ++overflows; });
        device.Settings.CommType = TCommType::RS232;
        device.Settings.S_Baudrate = 230400;
        device.Settings.S_Device = pty->DeviceA();
    }

    void TearDown() override
    {
        if (writer.joinable())
            writer.join();
    }

    // Plays the timing computer: writes the bytes on the far end in chunks of 1 to 7 bytes.
    void WriteInSmallChunks(const QByteArray& bytes)
    {
        writer = std::thread([this, bytes] {
            for (qsizetype pos = 0, n = 1; pos < bytes.size() && !stopWriting; pos += n, n = n % 7 + 1) {
                pty->Write(bytes.mid(pos, n));
                if (pos % 64 == 0)
                    std::this_thread::yield();
            }
        });
    }

    std::unique_ptr<TPtyPair> pty;
    TScriptedPrompts prompts;
    TKavendorComm device;
    QList<QByteArray> lines;
    std::function<void()> onLine;
    bool onMainThread = true;
    int overflows = 0;
    std::thread writer;
    std::atomic<bool> stopWriting{false};
};

TEST_F(SerialChannel, SmallChunksAreFramedAsIfTheyCameAsOne)
{
    device.Open();
    ASSERT_TRUE(device.Communication()->IsOpen());
    const QByteArray feed = Feed(300);
    WriteInSmallChunks(feed + "$F,unfinished");
    ASSERT_TRUE(QTest::qWaitFor([this] { return lines.size() == 300; }, 30000)) << lines.size();
    QByteArray joined;
    for (const QByteArray& line : lines)
        joined += line;
    EXPECT_EQ(joined, feed);
    EXPECT_TRUE(std::all_of(lines.begin(), lines.end(), [](const QByteArray& l) { return l.count('\n') == 1; }));
    EXPECT_TRUE(onMainThread);
    EXPECT_TRUE(prompts.Warnings.isEmpty());
}

TEST_F(SerialChannel, NothingArrivesAfterCloseEvenFromInsideADelivery)
{
    device.Open();
    onLine = [this] {
        if (lines.size() == 5)
            device.Close();
    };
    WriteInSmallChunks(Feed(2000));
    ASSERT_TRUE(QTest::qWaitFor([this] { return lines.size() >= 5; }, 30000));
    QTest::qWait(kSettleMs);
    stopWriting = true;
    EXPECT_EQ(lines.size(), 5);
    EXPECT_EQ(device.Communication(), nullptr);
}

// One read brings many lines at once: a close at the fifth drops the rest of the same read too.
TEST_F(SerialChannel, ADeviceClosedFromInsideADeliveryOfManyLinesDeliversNoMore)
{
    device.Open();
    onLine = [this] {
        if (lines.size() == 5)
            device.Close();
    };
    ASSERT_TRUE(pty->Write(Feed(50)));
    ASSERT_TRUE(QTest::qWaitFor([&] { return lines.size() >= 5; }));
    QTest::qWait(kSettleMs);
    EXPECT_EQ(lines.size(), 5);
    EXPECT_EQ(device.Communication(), nullptr);
}

TEST_F(SerialChannel, NothingArrivesAfterCloseFromOutside)
{
    device.Open();
    WriteInSmallChunks(Feed(3000));
    ASSERT_TRUE(QTest::qWaitFor([this] { return lines.size() >= 20; }, 30000));
    device.Close();
    const auto delivered = lines.size();
    QTest::qWait(kSettleMs);
    stopWriting = true;
    EXPECT_EQ(lines.size(), delivered);
}

TEST_F(SerialChannel, CloseReturnsWhenTheDeviceHasVanished)
{
    device.Open();
    ASSERT_TRUE(pty->Write("$F,1\n"));
    ASSERT_TRUE(QTest::qWaitFor([this] { return lines.size() == 1; }));
    pty->Vanish();
    ASSERT_TRUE(QTest::qWaitFor([this] { return !device.Communication()->IsOpen(); }));
    ASSERT_TRUE(QTest::qWaitFor([this] { return !prompts.Warnings.isEmpty(); }));
    QTest::qWait(kSettleMs);
    EXPECT_EQ(prompts.Warnings, QList<QString>{QStringLiteral("Error ") + pty->DeviceA() + ": WaitCommEvent()"});
    device.Close();
    EXPECT_TRUE(prompts.Questions.isEmpty()); // a serial channel never offers to reconnect
}

TEST_F(SerialChannel, CloseReturnsRightAfterTheDeviceVanished)
{
    device.Open();
    pty->Vanish();
    device.Close();
    device.Open(); // the device path is gone now: a silent failure
    EXPECT_FALSE(device.Communication()->IsOpen());
}

TEST_F(SerialChannel, ASendLeavesTheLineInFullAndInOrder)
{
    device.Open();
    QByteArray text;
    for (int i = 0; i < 3000; ++i)
        text += char('A' + i % 26);
    device.Communication()->Send(text);
    QByteArray received;
    ASSERT_TRUE(QTest::qWaitFor([&] { return (received += pty->ReadAvailable()).size() >= 3000; }, 10000));
    EXPECT_EQ(received, text);
}

TEST_F(SerialChannel, AnEndlessLineIsDroppedAndCountedAsOneBadLine)
{
    device.Open();
    // From a thread of its own, as a timing computer writes: the device takes each read in the meantime.
    writer = std::thread([this] { pty->Write(QByteArray(70000, 'x') + "\n$F,1\n"); });
    ASSERT_TRUE(QTest::qWaitFor([this] { return !lines.isEmpty(); }, 10000));
    EXPECT_EQ(lines, QList<QByteArray>{"$F,1\n"});
    EXPECT_EQ(overflows, 1);
}

TEST_F(SerialChannel, AMissingPortFailsSilently)
{
    device.Settings.S_Device = pty->DeviceA() + QStringLiteral(".missing");
    device.Open();
    ASSERT_NE(device.Communication(), nullptr);
    EXPECT_FALSE(device.Communication()->IsOpen());
    QTest::qWait(kSettleMs);
    EXPECT_TRUE(prompts.Warnings.isEmpty());
    EXPECT_TRUE(prompts.Questions.isEmpty());
}

TEST(SerialTransmit, ALongTextLeavesInChunksOf1024)
{
    TTxQueue queue;
    queue.Append(QByteArray(2000, 'a'));
    queue.Append(QByteArray(1000, 'b'));
    const QByteArray first = queue.TakeChunk();
    const QByteArray second = queue.TakeChunk();
    const QByteArray third = queue.TakeChunk();
    EXPECT_EQ(first.size(), 1024);
    EXPECT_EQ(second.size(), 1024);
    EXPECT_EQ(third.size(), 952);
    EXPECT_EQ(first + second + third, QByteArray(2000, 'a') + QByteArray(1000, 'b'));
    EXPECT_TRUE(queue.TakeChunk().isEmpty());
}

TEST(SerialPortName, TheDevicePathWinsOverThePortNumber)
{
    TSerialPortSettings settings;
    settings.PortNumber = 3;
#ifdef Q_OS_WIN
    EXPECT_EQ(SerialDeviceName(settings), QStringLiteral("COM3"));
    settings.PortNumber = 10;
    EXPECT_EQ(SerialDeviceName(settings), QStringLiteral("COM10"));
#else
    EXPECT_EQ(SerialDeviceName(settings), QStringLiteral("/dev/ttyS2"));
#endif
    settings.DevicePath = QStringLiteral("/dev/ttyUSB0");
    EXPECT_EQ(SerialDeviceName(settings), QStringLiteral("/dev/ttyUSB0"));
}

} // namespace
} // namespace kav
