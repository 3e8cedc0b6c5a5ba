#include <gtest/gtest.h>

#include "feed_lines.h"
#include "harness.h"
#include "status_lamp.h"
#include "wait_for.h"

using namespace kav;

namespace {

std::string G(int position, const std::string& regNo, int laps)
{
    return feed::G(position, regNo, laps, "00:01:00.000");
}

} // namespace

// The rows grow in tens once a position passes eighty, for every window, up to a thousand; a position
// beyond is dropped.
TEST(RowCount, GrowsInTensAcrossEightyUpToAThousand)
{
    THarness h;
    TFResults& race = h.Open(kLayoutCurrentRace);
    TFResults& prac = h.Open(kLayoutPractice);
    h.Feed(G(95, "95", 1));
    EXPECT_EQ(prac.GetRowCount(), 101);
    EXPECT_EQ(h.Cell(race, 7, 95), "1");
    h.Feed(G(1005, "X", 1));
    EXPECT_EQ(race.GetRowCount(), 1001);
    EXPECT_EQ(h.Ctl.State.CurrentRaceList.Count(), 95);
    h.Feed(G(1000, "Y", 2));
    EXPECT_EQ(h.Cell(race, 7, 1000), "2");
}

// Red while lines come, green again by itself once they stop.
TEST(BusyLamp, TurnsRedOnALineAndGreenAfterTheBurst)
{
    constexpr TColorValue kLime = 0x00FF00;
    THarness h;
    h.Feed({"$B,1,\"Heat\"", "$B,1,\"Heat\""});
    EXPECT_EQ(h.Panel.RedLamp().Color(), TColorValue{0x0000FF});
    EXPECT_EQ(h.Panel.GreenLamp().Color(), kClBtnFace);
    EXPECT_TRUE(WaitFor([&] { return !h.Ctl.State.BusyLit; }));
    EXPECT_EQ(h.Panel.GreenLamp().Color(), kLime);
}
