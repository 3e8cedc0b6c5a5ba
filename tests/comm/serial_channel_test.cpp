#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <QtCore/qtestsupport_core.h>

#include <atomic>
#include <thread>

#include "child_process.h"
#include "kavendor_comm.h"
#include "pty_pair.h"
#include "scripted_prompter.h"

namespace kav {
namespace {

// Feed lines numbered from first on, every third ending in CR LF as some systems send.
QByteArray Feed(int count, int first = 0)
{
    QByteArray feed;
    for (int i = first; i < first + count; ++i)
        feed += "$G," + QByteArray::number(i % 50 + 1) + ",\"" + QByteArray::number(1000 + i) + "\"," +
                QByteArray::number(i) + ",\"00:12:34.567\"" + (i % 3 == 0 ? "\r\n" : "\n");
    return feed;
}

class SerialChannel : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(toolInstalled(QStringLiteral("socat")));
        pty = std::make_unique<TPtyPair>();
        ASSERT_TRUE(pty->Ready()) << "socat did not make the pty pair";
        device.SetPrompts(&prompts);
        QObject::connect(&device, &TDevice::lineReceived, [this](const QByteArray& line) {
            onMainThread = onMainThread && QThread::currentThread() == QCoreApplication::instance()->thread();
            lines.append(line);
        });
        device.Settings.CommType = TCommType::RS232;
        device.Settings.S_Baudrate = 230400;
        device.Settings.S_Device = pty->DeviceA();
    }

    void TearDown() override { StopWriting(); }
    void StopWriting()
    {
        stopWriting = true;
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

    // Has a thread stream numbered lines into the far end until it is gone; true once 40 have arrived.
    bool StartStreaming()
    {
        device.Open();
        writer = std::thread([this] {
            for (int n = 0; !stopWriting && pty->Write(Feed(20, n)); n += 20) {
            }
        });
        return QTest::qWaitFor([this] { return lines.size() >= 40; }, 10000);
    }
    // Closes the device; a hang guard, not a speed check: the reader thread must not get stuck.
    void CloseWithinBound()
    {
        QElapsedTimer closing;
        closing.start();
        device.Close();
        EXPECT_LT(closing.elapsed(), 5000) << "closing hung";
        EXPECT_EQ(device.Communication(), nullptr);
    }

    std::unique_ptr<TPtyPair> pty;
    ScriptedPrompter prompts;
    TKavendorComm device;
    QList<QByteArray> lines;
    bool onMainThread = true;
    std::thread writer;
    std::atomic<bool> stopWriting{false};
};

TEST_F(SerialChannel, SmallChunksAreFramedAsIfTheyCameAsOneOnTheMainThread)
{
    device.Open();
    ASSERT_TRUE(device.Communication()->IsOpen());
    const QByteArray feed = Feed(300);
    WriteInSmallChunks(feed + "$F,unfinished");
    ASSERT_TRUE(QTest::qWaitFor([this] { return lines.size() == 300; }, 30000)) << lines.size();
    EXPECT_EQ(lines.join(), feed);
    EXPECT_TRUE(std::all_of(lines.begin(), lines.end(), [](const QByteArray& l) { return l.count('\n') == 1; }));
    EXPECT_TRUE(onMainThread);
    EXPECT_TRUE(prompts.messages.isEmpty());
}

// Left alone, the reader notices the loss itself and reports it once, never offering to reconnect, and
// every line before it arrived whole; closing afterwards returns.
TEST_F(SerialChannel, AVanishedFarEndIsReportedOnceAndTheDeviceStillCloses)
{
    ASSERT_TRUE(StartStreaming());
    pty->KillRelay();
    ASSERT_TRUE(QTest::qWaitFor([this] { return !device.Communication()->IsOpen(); }, 10000));
    ASSERT_TRUE(QTest::qWaitFor([this] { return !prompts.messages.isEmpty(); }, 10000));
    StopWriting();
    EXPECT_EQ(prompts.messages, QStringList{QStringLiteral("Error ") + pty->DeviceA() + ": WaitCommEvent()"});
    EXPECT_EQ(lines.join(), Feed(static_cast<int>(lines.size()))) << "lost, doubled or cut lines";
    CloseWithinBound();
    EXPECT_TRUE(prompts.questions.isEmpty());
}

} // namespace
} // namespace kav
