#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <QtCore/qtestsupport_core.h>

#include <atomic>
#include <thread>

#include "child_process.h"
#include "kavendor_device.h"
#include "pty_pair.h"
#include "scripted_prompter.h"

namespace kav {
namespace {

// Feed lines numbered from first on, every third ending in CR LF as some systems send.
QByteArray feedLines(int count, int first = 0)
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
        pty = std::make_unique<PtyPair>();
        ASSERT_TRUE(pty->ready()) << "socat did not make the pty pair";
        device.setPrompts(&prompts);
        QObject::connect(&device, &Device::lineReceived, [this](const QByteArray& line) {
            onMainThread = onMainThread && QThread::currentThread() == QCoreApplication::instance()->thread();
            lines.append(line);
        });
        device.Settings.CommType = CommunicationType::RS232;
        device.Settings.S_Baudrate = 230400;
        device.Settings.S_Device = pty->deviceA();
    }

    void TearDown() override { StopWriting(); }
    void StopWriting()
    {
        stopWriting = true;
        if (writer.joinable())
            writer.join();
    }

    // Plays the timing computer: writes the bytes on the far end in chunks of 1 to 7 bytes.
    void writeInSmallChunks(const QByteArray& bytes)
    {
        writer = std::thread([this, bytes] {
            for (qsizetype pos = 0, n = 1; pos < bytes.size() && !stopWriting; pos += n, n = n % 7 + 1) {
                pty->write(bytes.mid(pos, n));
                if (pos % 64 == 0)
                    std::this_thread::yield();
            }
        });
    }

    // Has a thread stream numbered lines into the far end until it is gone; true once 40 have arrived.
    bool startStreaming()
    {
        device.open();
        writer = std::thread([this] {
            for (int n = 0; !stopWriting && pty->write(feedLines(20, n)); n += 20) {
            }
        });
        return QTest::qWaitFor([this] { return lines.size() >= 40; }, 10000);
    }
    // Closes the device; a hang guard, not a speed check: the reader thread must not get stuck.
    void closeWithinBound()
    {
        QElapsedTimer closing;
        closing.start();
        device.close();
        EXPECT_LT(closing.elapsed(), 5000) << "closing hung";
        EXPECT_EQ(device.communication(), nullptr);
    }

    std::unique_ptr<PtyPair> pty;
    ScriptedPrompter prompts;
    KavendorDevice device;
    QList<QByteArray> lines;
    bool onMainThread = true;
    std::thread writer;
    std::atomic<bool> stopWriting{false};
};

TEST_F(SerialChannel, SmallChunksAreFramedAsIfTheyCameAsOneOnTheMainThread)
{
    device.open();
    ASSERT_TRUE(device.communication()->isOpen());
    const QByteArray feed = feedLines(300);
    writeInSmallChunks(feed + "$F,unfinished");
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
    ASSERT_TRUE(startStreaming());
    pty->killRelay();
    ASSERT_TRUE(QTest::qWaitFor([this] { return !device.communication()->isOpen(); }, 10000));
    ASSERT_TRUE(QTest::qWaitFor([this] { return !prompts.messages.isEmpty(); }, 10000));
    StopWriting();
    EXPECT_EQ(prompts.messages, QStringList{QStringLiteral("Error ") + pty->deviceA() + ": WaitCommEvent()"});
    EXPECT_EQ(lines.join(), feedLines(static_cast<int>(lines.size()))) << "lost, doubled or cut lines";
    closeWithinBound();
    EXPECT_TRUE(prompts.questions.isEmpty());
}

} // namespace
} // namespace kav
