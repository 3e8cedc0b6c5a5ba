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
    Harness h;
    ResultWindow& race = h.open(kLayoutCurrentRace);
    ResultWindow& prac = h.open(kLayoutPractice);
    h.feedLines(G(95, "95", 1));
    EXPECT_EQ(prac.dataRowCount(), 101);
    EXPECT_EQ(h.cell(race, 7, 95), "1");
    h.feedLines(G(1005, "X", 1));
    EXPECT_EQ(race.dataRowCount(), 1001);
    EXPECT_EQ(h.Ctl.State.CurrentRaceList.count(), 95);
    h.feedLines(G(1000, "Y", 2));
    EXPECT_EQ(h.cell(race, 7, 1000), "2");
}

// Red while lines come, green again by itself once they stop.
TEST(BusyLamp, TurnsRedOnALineAndGreenAfterTheBurst)
{
    constexpr ColorValue kLime = 0x00FF00;
    Harness h;
    h.feedLines({"$B,1,\"Heat\"", "$B,1,\"Heat\""});
    EXPECT_EQ(h.Panel.redLamp().color(), ColorValue{0x0000FF});
    EXPECT_EQ(h.Panel.greenLamp().color(), kClBtnFace);
    EXPECT_TRUE(waitFor([&] { return !h.Ctl.State.BusyLit; }));
    EXPECT_EQ(h.Panel.greenLamp().color(), kLime);
}
