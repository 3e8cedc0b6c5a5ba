#include <gtest/gtest.h>

#include "feed_lines.h"
#include "harness.h"

using namespace kav;
using namespace kav::feed;

namespace {

using Texts = std::vector<std::string>;
constexpr TimeValue kTenOClock = 10 * kTicksPerHour;

// A practice session of three cars with a practice window and the best-lap panel.
class PracticeScenario : public ::testing::Test {
protected:
    void SetUp() override
    {
        h.Settings.MarkerDelay = 5;
        h.SetClock(kTenOClock);
        for (int car = 1; car <= 3; ++car)
            h.Feed(A(std::to_string(car), std::to_string(10 + car), "First" + std::to_string(car),
                     "Last" + std::to_string(car)));
        h.Feed({J("1", "00:01:30.000"), H(1, "1", 1, "00:01:30.000")});
        h.Feed({J("2", "00:01:32.000"), H(2, "2", 1, "00:01:32.000")});
    }

    THarness h;
    TFResults& prac = h.Open(kLayoutPractice);
};

} // namespace

TEST_F(PracticeScenario, RowsShowBestLapsWithTheirGaps)
{
    EXPECT_EQ(h.Column(prac, 2, 2), (Texts{"11", "12"}));
    EXPECT_EQ(h.Column(prac, 11, 2), (Texts{"1:30.000", "1:32.000"}));
    EXPECT_EQ(h.Column(prac, 10, 2), (Texts{"1", "1"}));
    EXPECT_EQ(h.Column(prac, 13, 2), (Texts{"160.00", "156.52"}));
    EXPECT_EQ(h.Cell(prac, 14, 2).trimmed(), "2.000");
    EXPECT_EQ(h.Pictures(prac, 2), (Texts{"green ball", "green ball"}));
}

TEST_F(PracticeScenario, ThePanelShowsThePracticeLeader)
{
    EXPECT_EQ(h.Label(TGenInfoPanel::kName), "11  First1 Last1");
    EXPECT_EQ(h.Label(TGenInfoPanel::kBestLap), "1");
    EXPECT_EQ(h.Label(TGenInfoPanel::kBestLapTime).trimmed(), "1:30.000");
    EXPECT_EQ(h.Label(TGenInfoPanel::kBestSpeed), "160.00");
    h.Feed(H(1, "9", 0, "00:59:59.999")); // an unknown car without a time
    EXPECT_EQ(h.Label(TGenInfoPanel::kName).trimmed(), "");
    EXPECT_EQ(h.Label(TGenInfoPanel::kBestLap), "-");
    EXPECT_EQ(h.Label(TGenInfoPanel::kBestLapTime), "-----");
    EXPECT_EQ(h.Label(TGenInfoPanel::kBestSpeed), "-----");
}

TEST_F(PracticeScenario, AFasterLapShowsTheGreenArrowAndTakesTheLead)
{
    h.Feed(J("2", "00:01:29.000"));
    h.Feed({H(1, "2", 2, "00:01:29.000"), H(2, "1", 1, "00:01:30.000")});
    EXPECT_EQ(h.Column(prac, 2, 2), (Texts{"12", "11"}));
    EXPECT_EQ(h.Pictures(prac, 2), (Texts{"green arrow", "green ball"}));
    EXPECT_EQ(h.Cell(prac, 14, 2).trimmed(), "1.000");
    EXPECT_EQ(h.Label(TGenInfoPanel::kName), "12  First2 Last2");
    EXPECT_EQ(h.Label(TGenInfoPanel::kBestLap), "2");
    h.Feed(J("1", "00:01:31.000")); // slower than its best: a ball, no arrow
    h.Feed(H(2, "1", 1, "00:01:30.000"));
    EXPECT_EQ(h.Picture(prac, 2), "green ball");
}

TEST_F(PracticeScenario, MarkersTurnWhiteAfterTheMarkerDelay)
{
    h.SetClock(kTenOClock + 4 * kTicksPerSecond);
    h.Ctl.Records.RemoveTimerTimer();
    EXPECT_EQ(h.Pictures(prac, 2), (Texts{"green ball", "green ball"}));
    h.SetClock(kTenOClock + 5 * kTicksPerSecond);
    h.Feed(J("2", "00:01:33.000")); // car 2 passes again just now
    h.Ctl.Records.RemoveTimerTimer();
    EXPECT_EQ(h.Pictures(prac, 2), (Texts{"white flag", "green ball"}));
    EXPECT_EQ(h.Ctl.State.MarkerList.At(h.Ctl.State.MarkerList.FindByRegNo("1")).PassTime, -1);
}

TEST_F(PracticeScenario, APracticePositionRewritesTheCarsRaceRow)
{
    TFResults& race = h.Open(kLayoutCurrentRace);
    h.Feed(G(1, "1", 3, "00:04:30.000"));
    EXPECT_EQ(h.Cell(race, 11, 1).trimmed(), "1:30.000");
    h.Feed(H(1, "1", 3, "00:01:28.000"));
    EXPECT_EQ(h.Cell(race, 11, 1).trimmed(), "1:28.000");
    EXPECT_EQ(h.Cell(race, 10, 1), "3");
    EXPECT_EQ(h.Cell(prac, 7, 1), "3");
}
