#include <gtest/gtest.h>

#include "feed_lines.h"
#include "harness.h"

using namespace kav;
using namespace kav::feed;

namespace {

using Texts = std::vector<std::string>;

// Five cars over four laps, with the three result views of a race open.
class RaceScenario : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (int car = 1; car <= 5; ++car)
            h.Feed(A(std::to_string(car), std::to_string(10 + car), "First" + std::to_string(car),
                     "Last" + std::to_string(car)));
        h.Feed({G(1, "1", 1, "00:01:30.000"), G(2, "2", 1, "00:01:31.000"), G(3, "3", 1, "00:01:32.000"),
                G(4, "4", 1, "00:01:33.000"), G(5, "5", 1, "00:01:34.000")});
    }

    // Lap 2: the leader starts it; car 3 passes car 2; car 5 stays in the pits from now on.
    void LapTwo()
    {
        h.Feed({J("1", "00:01:30.000"), G(1, "1", 2, "00:03:00.000")});
        h.Feed({J("3", "00:01:29.000"), G(2, "3", 2, "00:03:01.000")});
        h.Feed({J("2", "00:01:31.000"), G(3, "2", 2, "00:03:02.000")});
        h.Feed({J("4", "00:01:30.000"), G(4, "4", 2, "00:03:03.000")});
    }

    void LapThree()
    {
        h.Feed({G(1, "1", 3, "00:04:30.000"), G(2, "3", 3, "00:04:31.000"), G(3, "2", 3, "00:04:32.000"),
                G(4, "4", 3, "00:04:33.000")});
    }

    THarness h;
    TFResults& lap = h.Open(kLayoutCompletedLap);
    TFResults& race = h.Open(kLayoutCurrentRace);
    TFResults& track = h.Open(kLayoutTrackPositions);
};

} // namespace

TEST_F(RaceScenario, FirstLapTakesNoSnapshot)
{
    EXPECT_EQ(h.Ctl.State.LapRaceList.Count(), 0);
    EXPECT_EQ(h.Column(race, 2, 5), (Texts{"11", "12", "13", "14", "15"}));
    EXPECT_EQ(h.Column(lap, 2, 2), (Texts{"", ""}));
    h.Feed(G(1, "1", 1, "00:01:30.000")); // the leader sent again unchanged
    EXPECT_EQ(h.Ctl.State.LapRaceList.Count(), 0);
}

TEST_F(RaceScenario, TheLeadersNewLapTakesTheSnapshot)
{
    h.Feed({J("1", "00:01:30.000"), G(1, "1", 2, "00:03:00.000")});
    EXPECT_EQ(h.Column(lap, 2, 5), (Texts{"11", "12", "13", "14", "15"}));
    EXPECT_EQ(h.Column(lap, 7, 5), (Texts{"1", "1", "1", "1", "1"}));
    EXPECT_EQ(h.Pictures(lap, 3), (Texts{"green ball", "white flag", "white flag"}));
    EXPECT_EQ(h.Cell(race, 7, 1), "2");
    EXPECT_EQ(h.Picture(race, 1), "green ball");
    EXPECT_EQ(h.Column(track, 2, 5), (Texts{"11", "12", "13", "14", "15"}));
    EXPECT_EQ(h.Pictures(track, 2), (Texts{"green ball", "white flag"}));
}

TEST_F(RaceScenario, AnOvertakeShowsTheArrowAndCrossesOnTheTrackView)
{
    LapTwo();
    // Car 2 lost its entry to car 3 before its own record came, so it shows no progress yet.
    EXPECT_EQ(h.Pictures(lap, 5), (Texts{"green ball", "white flag", "green arrow", "green ball", "white flag"}));
    EXPECT_EQ(h.Pictures(track, 5), (Texts{"green ball", "red cross", "green ball", "green ball", "white flag"}));
    EXPECT_EQ(h.Column(race, 2, 5), (Texts{"11", "13", "12", "14", "15"}));
    EXPECT_EQ(h.Picture(race, 2), "green arrow");
}

TEST_F(RaceScenario, AMovedCarLeavesItsOldRowBlankUntilTheNewHolderArrives)
{
    h.Feed({J("1", "00:01:30.000"), G(1, "1", 2, "00:03:00.000")});
    h.Feed(G(2, "3", 2, "00:03:01.000"));
    EXPECT_EQ(h.Cell(race, 2, 3).trimmed(), "");
    EXPECT_EQ(h.Cell(race, 0, 3), "3");
    h.Feed(G(3, "2", 2, "00:03:02.000"));
    EXPECT_EQ(h.Cell(race, 2, 3), "12");
}

TEST_F(RaceScenario, CarsWithoutProgressAgeToGreyAndBlackFlags)
{
    LapTwo();
    LapThree();
    EXPECT_EQ(h.Column(lap, 2, 5), (Texts{"11", "13", "12", "14", "15"}));
    EXPECT_EQ(h.Picture(lap, 5), "grey flag");
    EXPECT_EQ(h.Picture(race, 5), "grey flag");
    EXPECT_EQ(h.Column(track, 2, 5), (Texts{"11", "13", "12", "14", "15"}));
    EXPECT_EQ(h.Picture(track, 5), "grey flag");
    h.Feed(G(1, "1", 4, "00:06:00.000"));
    EXPECT_EQ(h.Picture(lap, 5), "black flag");
    EXPECT_EQ(h.Picture(race, 5), "black flag");
    EXPECT_EQ(h.Picture(track, 5), "black flag");
    h.Feed(G(1, "1", 5, "00:07:30.000"));
    EXPECT_EQ(h.Picture(lap, 5), "black flag");
}

TEST_F(RaceScenario, RedCrossesAgeAwayAtTheNextLeaderLap)
{
    LapTwo();
    h.Feed(G(1, "1", 3, "00:04:30.000"));
    EXPECT_EQ(h.Column(track, 2, 5), (Texts{"11", "13", "12", "14", "15"}));
    EXPECT_EQ(h.Pictures(track, 5), (Texts{"green ball", "white flag", "white flag", "white flag", "grey flag"}));
}

TEST_F(RaceScenario, TheFinishShowsTheCurrentStandingsWithChequeredFlagsAndARestartGoesBack)
{
    LapTwo();
    LapThree();
    h.Feed(G(1, "1", 4, "00:06:00.000"));
    EXPECT_EQ(h.Cell(lap, 7, 1), "3");
    h.Feed(F(0, "00:06:00", "Green "));
    EXPECT_TRUE(h.Ctl.State.RaceFinished);
    EXPECT_EQ(h.Cell(lap, 7, 1), "4");
    h.Feed({J("3", "00:01:29.500"), G(2, "3", 4, "00:06:01.000")});
    EXPECT_EQ(h.Picture(lap, 2), "chequered flag");
    EXPECT_EQ(h.Cell(lap, 7, 2), "4");
    EXPECT_EQ(h.Picture(race, 2), "chequered flag");
    EXPECT_EQ(h.Ctl.State.MarkerList.At(h.Ctl.State.MarkerList.FindByRegNo("3")).RaceStatus, kChequeredFlag);
    h.Feed(F(3, "00:06:10", "Green "));
    EXPECT_FALSE(h.Ctl.State.RaceFinished);
    EXPECT_EQ(h.Column(lap, 7, 2), (Texts{"3", "3"}));
}
