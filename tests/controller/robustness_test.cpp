#include <gtest/gtest.h>

#include <QFile>
#include <QtCore/qtestsupport_core.h>

#include <random>
#include <string>
#include <unistd.h>
#include <vector>

#include "feed_lines.h"
#include "feed_server.h"
#include "harness.h"
#include "kavendor_comm.h"
#include "soak_helpers.h" // RandomBytes

using namespace kav;
using namespace kav::feed;

namespace {

constexpr qsizetype kMegabyte = 1024 * 1024;
constexpr int kCars = 6;

// The first half of a race: the field, the grid, a heartbeat and a lap.
std::vector<std::string> FirstHalf()
{
    std::vector<std::string> lines = {"$B,1,\"Heat 1\"", "$E,\"TRACKNAME\",\"Brenmoor Ring\""};
    for (int car = 1; car <= kCars; ++car)
        lines.push_back(A(std::to_string(car), std::to_string(20 + car), "First" + std::to_string(car),
                          "Last" + std::to_string(car)));
    for (int car = 1; car <= kCars; ++car)
        lines.push_back(G(car, std::to_string(car), 1, "00:01:3" + std::to_string(car) + ".000"));
    lines.push_back(F(9, "00:01:40", "Green"));
    return lines;
}

// The second half: two laps in which cars swap places, then the best laps.
std::vector<std::string> SecondHalf()
{
    std::vector<std::string> lines;
    for (int lap = 2; lap <= 3; ++lap) {
        for (int place = 1; place <= kCars; ++place) {
            const int car = lap == 3 ? kCars + 1 - place : place;
            lines.push_back(J(std::to_string(car), "00:01:2" + std::to_string(place) + ".500"));
            lines.push_back(G(place, std::to_string(car), lap,
                              "00:0" + std::to_string(lap + 1) + ":1" + std::to_string(place) + ".000"));
        }
        lines.push_back(F(10 - lap, "00:0" + std::to_string(lap + 2) + ":00", lap == 3 ? "Yellow" : "Green"));
    }
    for (int place = 1; place <= kCars; ++place)
        lines.push_back(H(place, std::to_string(place), 2, "00:01:2" + std::to_string(place) + ".500"));
    return lines;
}

// A record tag and a megabyte of random letters: a record of one endless field, so one bad line for
// every tag.
QByteArray MegabyteRecord(std::mt19937& rng, const char* tag)
{
    QByteArray line(tag);
    std::uniform_int_distribution<int> letter('A', 'Z');
    for (qsizetype i = 0; i < kMegabyte; ++i)
        line += static_cast<char>(letter(rng));
    return line + '\n';
}

// Two controllers with the same windows: one sees the feed clean, the other with garbage inside.
class Garbage : public ::testing::Test {
protected:
    Garbage()
    {
        for (THarness* h : {&clean, &noisy}) {
            for (std::uint8_t kind : {kLayoutCurrentRace, kLayoutCompletedLap, kLayoutPractice, kLayoutTrackPositions})
                windows[h == &noisy].push_back(&h->Open(kind));
        }
        for (const std::string& line : FirstHalf())
            clean.Feed(line);
        for (const std::string& line : SecondHalf())
            clean.Feed(line);
    }

    // Every cell, picture and panel value the noisy controller shows is what the clean one shows.
    void ExpectSameScreen()
    {
        ASSERT_NE(clean.Column(*windows[0][0], 2, kCars), std::vector<std::string>(kCars)) << "nothing to compare";
        for (std::size_t w = 0; w < windows[0].size(); ++w) {
            for (std::uint8_t id = 0; id < kColumnIds; ++id)
                EXPECT_EQ(noisy.Column(*windows[1][w], id, kCars + 1), clean.Column(*windows[0][w], id, kCars + 1))
                    << "window " << w << ", column " << int(id);
            EXPECT_EQ(noisy.Pictures(*windows[1][w], kCars), clean.Pictures(*windows[0][w], kCars)) << "window " << w;
        }
        for (int item = 1; item <= TGenInfoPanel::kLabelItems; ++item)
            EXPECT_EQ(noisy.Label(item), clean.Label(item)) << "item " << item;
        EXPECT_EQ(noisy.Ctl.State.RunName, clean.Ctl.State.RunName);
        EXPECT_EQ(clean.Ctl.State.ErrorCount, 0);
        EXPECT_EQ(noisy.Panel.ErrorHint(), QString::number(noisy.Ctl.State.ErrorCount));
    }

    THarness clean;
    THarness noisy;
    std::vector<TFResults*> windows[2];
};

// A TCP feed carrying random bytes and megabyte lines, framed by the controller's own device, each
// over-long line dropped and counted once; the records after the garbage still show.
TEST_F(Garbage, AFeedWithGarbageInsideIsFramedAndTheRecordsAfterItStillShow)
{
    TFeedServer server;
    TKavendorComm& device = noisy.Device;
    device.Settings.CommType = TCommType::TCPIP;
    device.Settings.TCPIP_Addr = QStringLiteral("127.0.0.1");
    device.Settings.TCPIP_Port = server.Port();
    int received = 0;
    QObject::connect(&device, &TDevice::lineReceived, [&] { ++received; });
    device.Open();
    ASSERT_TRUE(server.WaitForConnections(1));

    const auto join = [](const std::vector<std::string>& lines) {
        QByteArray bytes;
        for (const std::string& line : lines)
            bytes += QByteArray::fromStdString(line) + (bytes.size() % 2 ? "\r\n" : "\n");
        return bytes;
    };
    std::mt19937 rng(11);
    ASSERT_TRUE(server.Send(join(FirstHalf())));
    const QByteArray random = RandomBytes(rng, kMegabyte) + '\n';
    std::uniform_int_distribution<qsizetype> piece(1, 64 * 1024);
    for (qsizetype pos = 0, n = 0; pos < random.size(); pos += n) {
        n = piece(rng);
        ASSERT_TRUE(server.Send(random.mid(pos, n)));
    }
    constexpr int kLongLines = 3;
    for (int i = 0; i < kLongLines; ++i)
        ASSERT_TRUE(server.Send(MegabyteRecord(rng, "$G,")));
    ASSERT_TRUE(server.Send(join(SecondHalf())));
    const int expected = static_cast<int>(FirstHalf().size() + random.count('\n') + SecondHalf().size());
    ASSERT_TRUE(QTest::qWaitFor([&] { return received >= expected; }, 20000)) << received << " of " << expected;

    EXPECT_GE(noisy.Ctl.State.ErrorCount, kLongLines);
    ExpectSameScreen();
    device.Close();
}

} // namespace
