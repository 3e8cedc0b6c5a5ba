#include <gtest/gtest.h>

#include "f_flag.h"
#include "feed_lines.h"
#include "harness.h"
#include "line_framer.h"
#include "status_lamp.h"

#include <QFile>

using namespace kav;
using namespace kav::feed;

namespace {
constexpr TColorValue kRedLamp = 0x0000FF;
constexpr TColorValue kYellowLamp = 0x00FFFF;
constexpr TColorValue kGreenLamp = 0x00FF00;
} // namespace

// Lines that are no valid record count as errors in the busy lamps' hint, unless their tag is foreign;
// none of them enters the lists, ends the stand-by message or runs into the next line.
TEST(BadLines, AreCountedInTheBusyLampsHintUnlessTheirTagIsForeign)
{
    const struct {
        const char* name;
        std::vector<std::string> lines;
        int errors;
    } cases[] = {
        {"six data fields", {"$A,\"12\",\"7\",1234,\"Abc\",\"Defg\",\"NED\""}, 1},
        {"cut short", {"$G,1,\"12\"", "$J,\"3\"", "$H,2"}, 3},
        {"foreign tags and empty lines", {"$SP,\"extra\"", "", "\r", "$X,1,2"}, 0},
        {"dropped by the device as too long", {"$B,1,\"" + std::string(TLineFramer::kMaxLine, 'y') + "\""}, 1},
    };
    for (const auto& row : cases) {
        THarness h;
        h.Feed("$I,\"12:00:00\",\"26 Nov\"");
        for (const std::string& line : row.lines)
            h.Feed(line);
        EXPECT_EQ(h.Ctl.State.ErrorCount, row.errors) << row.name;
        EXPECT_EQ(h.Panel.ErrorHint(), row.errors ? QString::number(row.errors) : "No Errors") << row.name;
        EXPECT_EQ(h.Ctl.State.CompList.Count() + h.Ctl.State.CurrentRaceList.Count(), 0) << row.name;
        EXPECT_TRUE(h.Message.isVisible()) << row.name;
        h.Feed("$B,1,\"Heat 2\"");
        EXPECT_EQ(h.Ctl.State.RunName, "Heat 2") << row.name;
        EXPECT_EQ(h.Ctl.State.ErrorCount, row.errors) << row.name << ": a valid record after bad lines";
    }
}

TEST(NewRun, TheStandByMessageIsCentredOnTheMainWindow)
{
    THarness h;
    QWidget main;
    main.setGeometry(100, 50, 801, 600);
    h.Ctl.Records.SetMainWindow(&main);
    h.Message.resize(316, 54);
    h.Feed("$I,\"12:00:00\",\"26 Nov\"");
    EXPECT_EQ(h.Message.x(), (801 - 316) / 2 + 100);
    EXPECT_EQ(h.Message.y(), (600 - 54) / 2 + 50);
}

TEST(Flag, ActsOnceOnAChangeAndTakesLowerCaseWithBlanks)
{
    THarness h;
    bool showFlag = false; // without the option only the lamp changes
    h.Ctl.Records.Flag().ShowFlag = [&showFlag] { return showFlag; };
    h.Feed(F(10, "00:09:00", "Red"));
    EXPECT_EQ(h.Panel.FlagLamp().Color(), kRedLamp);
    EXPECT_EQ(h.Ctl.Records.Flag().FlagWindow(), nullptr);
    showFlag = true;
    h.Feed(F(10, "00:10:00", "  yellow "));
    EXPECT_EQ(h.Ctl.State.FlagState, kFlagYellow);
    EXPECT_EQ(h.Panel.FlagLamp().Color(), kYellowLamp);
    TFFlag* window = h.Ctl.Records.Flag().FlagWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->Shown().Serial(), window->YellowFlag().Serial());
    window->showMinimized();
    h.Feed(F(10, "00:10:01", "YELLOW"));
    EXPECT_TRUE(window->isMinimized()); // the same flag does nothing more
    h.Feed(F(10, "00:10:02", "Finish"));
    EXPECT_EQ(h.Ctl.State.FlagState, kFlagYellow);
    h.Feed(F(10, "00:10:03", "Red   "));
    EXPECT_EQ(h.Panel.FlagLamp().Color(), kRedLamp);
    EXPECT_EQ(h.Ctl.Records.Flag().FlagWindow(), window);
    EXPECT_EQ(window->Shown().Serial(), window->RedFlag().Serial());
    EXPECT_FALSE(window->isMinimized());
    h.Feed(F(10, "00:10:04", "Green "));
    EXPECT_EQ(h.Panel.FlagLamp().Color(), kGreenLamp);
    EXPECT_EQ(h.Ctl.Records.Flag().FlagWindow(), nullptr);
    EXPECT_FALSE(h.Ctl.State.FlagWindowShown);
}

TEST(Heartbeat, ShowsLapsToGoAndTheRaceTimeBlanked)
{
    THarness h;
    h.Feed(F(12, "00:05:07", "Green "));
    EXPECT_EQ(h.Label(TGenInfoPanel::kLapsToGo), "12");
    EXPECT_EQ(h.Label(TGenInfoPanel::kRaceTime), "    5:07");
    h.Feed(F(3, "01:25:07", "Green "));
    EXPECT_EQ(h.Label(TGenInfoPanel::kRaceTime), " 1:25:07");
}

TEST(Records, CarriageReturnLineEndsAndWindows1252NamesAreTaken)
{
    THarness h;
    TFResults& race = h.Open(kLayoutCurrentRace, {0, 3, 4});
    h.Feed(A("1", "11", "Jos\xe9", "M\xfcller") + "\r");
    h.Feed(A("2", "12", "Ren\xc3\xa9", "Br\xc3\xbc") + "\r");
    h.Feed({G(1, "1", 1, "00:01:30.000") + "\r", G(2, "2", 1, "00:01:31.000") + "\r"});
    EXPECT_EQ(h.Ctl.State.ErrorCount, 0);
    EXPECT_EQ(h.Cell(race, 3, 1), QString::fromUtf8("Jos\xc3\xa9"));
    EXPECT_EQ(h.Cell(race, 4, 1), QString::fromUtf8("M\xc3\xbcller"));
    EXPECT_EQ(h.Cell(race, 3, 2), QString::fromUtf8("Ren\xc3\xa9"));
}

TEST(RecordedFeed, ARecordingFramedAsTheDeviceFramesItReachesTheWindows)
{
    THarness h;
    TFResults& race = h.Open(kLayoutCurrentRace);
    QFile file(QStringLiteral(KAV_TEST_DATA "/feeds/short_race.feed"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    h.Device.receiveBytes(file.readAll());
    EXPECT_EQ(h.Ctl.State.RunName, "Race 3");
    EXPECT_EQ(h.Ctl.State.ErrorCount, 1); // the $G with three fields
    EXPECT_FALSE(h.Message.isVisible());
    EXPECT_EQ(h.Cell(race, 2, 1), "7");
    EXPECT_EQ(h.Cell(race, 7, 1), "3");
    EXPECT_EQ(h.Cell(race, 8, 1).trimmed(), "0:01:23.456");
    EXPECT_EQ(h.Label(TGenInfoPanel::kLapsToGo), "9999");
    EXPECT_EQ(h.Ctl.State.CurrentPassingList.Count(), 0); // its last line has no line end yet
}
