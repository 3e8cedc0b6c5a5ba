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

TEST(BadLines, AreCountedInTheBusyLampsHint)
{
    THarness h;
    EXPECT_EQ(h.Panel.ErrorHint(), "No Errors");
    h.Feed("$A,\"12\",\"7\",1234,\"Abc\",\"Defg\",\"NED\""); // six data fields: incomplete
    EXPECT_EQ(h.Ctl.State.ErrorCount, 1);
    EXPECT_EQ(h.Panel.ErrorHint(), "1");
    h.Feed("$G,1,\"12\"");
    EXPECT_EQ(h.Panel.ErrorHint(), "2");
    EXPECT_EQ(h.Ctl.State.CompList.Count(), 0);
    EXPECT_EQ(h.Ctl.State.CurrentRaceList.Count(), 0);
}

TEST(BadLines, UnknownTagsAndEmptyLinesAreNeitherErrorsNorNews)
{
    THarness h;
    h.Feed("$I,\"12:00:00\",\"26 Nov\"");
    ASSERT_TRUE(h.Message.isVisible());
    h.Feed({"$SP,\"extra\"", "", "\r", "$X,1,2"});
    EXPECT_EQ(h.Ctl.State.ErrorCount, 0);
    EXPECT_EQ(h.Panel.ErrorHint(), "No Errors");
    EXPECT_TRUE(h.Message.isVisible());
}

// Through the controller's own device: the line is dropped before it could be taken as a run name.
TEST(BadLines, ADroppedOverlongLineCountsAsOne)
{
    THarness h;
    h.Feed("$B,1,\"" + std::string(TLineFramer::kMaxLine, 'y') + "\"");
    h.Feed("$B,1,\"Heat 2\"");
    EXPECT_EQ(h.Ctl.State.ErrorCount, 1);
    EXPECT_EQ(h.Panel.ErrorHint(), "1");
    EXPECT_EQ(h.Ctl.State.RunName, "Heat 2");
}

TEST(NewRun, ShowsStandByUntilTheNextValidRecord)
{
    THarness h;
    TFResults& race = h.Open(kLayoutCurrentRace);
    h.Feed(
        {A("1", "11", "Ann", "Alpha"), G(1, "1", 2, "00:03:00.000"), "$B,5,\"Final\"", H(1, "1", 2, "00:01:20.000")});
    EXPECT_EQ(h.Cell(race, 4, 1), "Alpha");
    h.Feed("$I,\"12:00:00\",\"26 Nov\"");
    EXPECT_TRUE(h.Message.isVisible());
    EXPECT_EQ(h.Message.Message(), "Please stand by.....");
    EXPECT_TRUE(h.Ctl.State.StandByShown);
    EXPECT_EQ(h.Cell(race, 4, 1).trimmed(), "");
    EXPECT_EQ(h.Picture(race, 1), "white flag");
    EXPECT_EQ(h.Picture(race, 80), "white flag");
    EXPECT_EQ(h.Label(TGenInfoPanel::kRun), "");
    EXPECT_EQ(h.Label(TGenInfoPanel::kName), "");
    EXPECT_EQ(h.Ctl.State.CompList.Count(), 0);
    h.Feed("$I,\"12:00:00\",\"26 Nov\""); // the feed repeats it
    EXPECT_TRUE(h.Message.isVisible());
    h.Feed(F(9999, "00:00:01", "Green "));
    EXPECT_FALSE(h.Message.isVisible());
    EXPECT_FALSE(h.Ctl.State.StandByShown);
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
    h.Ctl.Records.Flag().ShowFlag = [] { return true; };
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

TEST(Flag, WithoutTheShowFlagOptionOnlyTheLampChanges)
{
    THarness h;
    h.Ctl.Records.Flag().ShowFlag = [] { return false; };
    h.Feed(F(10, "00:10:00", "Red"));
    EXPECT_EQ(h.Panel.FlagLamp().Color(), kRedLamp);
    EXPECT_EQ(h.Ctl.Records.Flag().FlagWindow(), nullptr);
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

TEST(Settings, TrackLengthInKilometresIsStoredInMetresWithoutTouchingTheLabel)
{
    THarness h;
    h.Panel.UpdateTrackLabels(h.Settings, h.Ctl.State.RunName);
    h.Feed("$E,\"TRACKLENGTH\",\"1.2345\"");
    EXPECT_EQ(h.Settings.TrackLength, 1235);
    EXPECT_EQ(h.Label(TGenInfoPanel::kTrackLength), "4.000");
    h.Feed("$E,\"TRACKNAME\",\"Zandvoort\"");
    EXPECT_EQ(h.Settings.TrackName, "Zandvoort");
    h.Feed({"$E,\"tracklength\",\"9\"", "$E,\"QUALIFYROUND\",\"3\"", "$E,\"TRACKLENGTH\",\"abc\""});
    EXPECT_EQ(h.Settings.TrackLength, 1235);
    h.Panel.UpdateTrackLabels(h.Settings, h.Ctl.State.RunName);
    EXPECT_EQ(h.Label(TGenInfoPanel::kTrackLength), "1.235");
    EXPECT_EQ(h.Label(TGenInfoPanel::kTrackName), "Zandvoort");
}

TEST(Records, RunClassAndCompetitorsReachTheirPlaces)
{
    THarness h;
    TFResults& race = h.Open(kLayoutCurrentRace);
    h.Feed({"$B,5,\"Race 3\"", "$C,2,\"Formula Ford\"", A("7", "77", "Bob", "Beta", "GER", 2),
            "$COMP,\"8\",\"88\",2,\"Cid\",\"Gamma\",\"BEL\",\"Team X\"", G(1, "7", 1, "00:01:30.000"),
            G(2, "8", 1, "00:01:31.000")});
    EXPECT_EQ(h.Label(TGenInfoPanel::kRun), "Race 3");
    EXPECT_EQ(h.Ctl.State.RunName, "Race 3");
    EXPECT_EQ(h.Cell(race, 15, 1), "Formula Ford");
    EXPECT_EQ(h.Cell(race, 16, 1), "GER");
    EXPECT_EQ(h.Cell(race, 6, 1), " ");
    EXPECT_EQ(h.Cell(race, 6, 2), "Team X");
    EXPECT_EQ(h.Cell(race, 5, 2), "Cid Gamma");
    h.Feed(A("7", "77", "Bobby", "Beta", "GER", 2)); // sent again with a new name
    h.Feed(G(1, "7", 2, "00:03:00.000"));
    EXPECT_EQ(h.Cell(race, 3, 1), "Bobby");
    EXPECT_EQ(h.Ctl.State.CompList.Count(), 2);
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
