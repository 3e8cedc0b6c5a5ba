#include <gtest/gtest.h>

#include "harness.h"
#include "status_lamp.h"

#include <QTest>

using namespace kav;

namespace {

constexpr TColorValue kLime = 0x00FF00;
constexpr TColorValue kRed = 0x0000FF;

std::string G(int position, const std::string& regNo, int laps, const std::string& time)
{
    return "$G," + std::to_string(position) + ",\"" + regNo + "\"," + std::to_string(laps) + ",\"" + time + "\"";
}

} // namespace

// The rows grow in tens once a position passes eighty, for every window, up to a thousand; a position
// beyond is dropped.
TEST(RowCount, GrowsInTensAcrossEightyUpToAThousand)
{
    THarness h;
    TFResults& race = h.Open(kLayoutCurrentRace);
    TFResults& prac = h.Open(kLayoutPractice);
    EXPECT_EQ(h.Ctl.State.RowCount, 80);
    h.Feed(G(95, "95", 1, "00:01:00.000"));
    EXPECT_EQ(h.Ctl.State.RowCount, 100);
    EXPECT_EQ(prac.GetRowCount(), 101);
    EXPECT_EQ(h.Cell(race, 7, 95), "1");
    h.Ctl.Content.GrowRows(50);
    EXPECT_EQ(h.Ctl.State.RowCount, 100);
    h.Feed(G(1005, "X", 1, "00:01:00.000"));
    EXPECT_EQ(h.Ctl.State.RowCount, 1000);
    EXPECT_EQ(race.GetRowCount(), 1001);
    EXPECT_EQ(h.Ctl.State.CurrentRaceList.Count(), 95);
    h.Feed(G(1000, "Y", 2, "00:01:00.000"));
    EXPECT_EQ(h.Cell(race, 7, 1000), "2");
    EXPECT_EQ(h.Ctl.State.CurrentRaceList.Count(), 1000);
}

TEST(BusyLamp, TurnsRedOnALineAndGreenOnTheTimerTick)
{
    THarness h;
    EXPECT_EQ(h.Panel.GreenLamp().Color(), kLime);
    EXPECT_EQ(h.Panel.RedLamp().Color(), kClBtnFace);
    h.Feed("$B,1,\"Heat\"");
    EXPECT_TRUE(h.Ctl.State.BusyLit);
    EXPECT_EQ(h.Panel.RedLamp().Color(), kRed);
    EXPECT_EQ(h.Panel.GreenLamp().Color(), kClBtnFace);
    EXPECT_TRUE(h.Ctl.Records.CommunicationTimer().isActive());
    h.Ctl.Records.OnCommunicationTimer();
    EXPECT_FALSE(h.Ctl.State.BusyLit);
    EXPECT_EQ(h.Panel.GreenLamp().Color(), kLime);
    EXPECT_EQ(h.Panel.RedLamp().Color(), kClBtnFace);
    EXPECT_FALSE(h.Ctl.Records.CommunicationTimer().isActive());
}

TEST(BusyLamp, ReturnsToGreenByItselfAfterABurst)
{
    THarness h;
    h.Feed({"$B,1,\"Heat\"", "$B,1,\"Heat\""});
    EXPECT_TRUE(h.Ctl.State.BusyLit);
    for (int i = 0; i < 50 && h.Ctl.State.BusyLit; ++i)
        QTest::qWait(10);
    EXPECT_FALSE(h.Ctl.State.BusyLit);
}

TEST(RaceState, ListsHoldAThousandCarsAndTheLapSnapshotKeepsThemAll)
{
    THarness h;
    TFResults& lap = h.Open(kLayoutCompletedLap, {0, 1, 7});
    for (int car = 1; car <= 1001; ++car) {
        if (car <= 1000)
            h.Feed(G(car, std::to_string(car), 1, "00:01:30.000"));
        h.Feed("$J,\"" + std::to_string(car) + "\",\"00:01:30.000\",\"12:00:00.000\"");
    }
    EXPECT_EQ(h.Ctl.State.MarkerList.Count(), 1000);
    EXPECT_EQ(h.Ctl.State.CurrentPassingList.Count(), 1000);
    h.Feed(G(1, "1", 2, "00:03:00.000"));
    EXPECT_EQ(h.Ctl.State.LapRaceList.Count(), 1000);
    EXPECT_EQ(h.Ctl.State.LapTrackList.Count(), 1000);
    EXPECT_EQ(h.Cell(lap, 7, 1000), "1");
}

TEST(ClassTable, KeepsNumbersOneToNinetyNineCutToForty)
{
    TClassTable table;
    table.Set(1, "GT3");
    table.Set(99, std::string(50, 'x'));
    table.Set(0, "zero");
    table.Set(100, "hundred");
    EXPECT_EQ(table.Get(1), "GT3");
    EXPECT_EQ(table.Get(99), std::string(40, 'x'));
    EXPECT_EQ(table.Get(0), "");
    EXPECT_EQ(table.Get(100), "");
}
