#include <gtest/gtest.h>

#include <QSignalSpy>

#include "feed_harness.h"
#include "feed_lines.h"
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
    FeedHarness h;
    ResultsView race = h.open(kLayoutCurrentRace);
    h.feedLines(G(95, "95", 1));
    EXPECT_EQ(h.rowCount(kLayoutPractice), 100);
    EXPECT_EQ(h.cell(race, 7, 95), "1");
    h.feedLines(G(1005, "X", 1));
    EXPECT_EQ(h.rowCount(kLayoutCurrentRace), 1000);
    EXPECT_EQ(h.Feed.State.CurrentRaceList.count(), 95);
    h.feedLines(G(1000, "Y", 2));
    EXPECT_EQ(h.cell(race, 7, 1000), "2");
}

// Busy while lines come, told once for the burst, and idle again by itself once they stop.
TEST(BusyLamp, IsLitOnALineAndOutAfterTheBurst)
{
    FeedHarness h;
    QSignalSpy busy(&h.Feed.Info, &RunInfo::busyChanged);
    h.feedLines({"$B,1,\"Heat\"", "$B,1,\"Heat\""});
    EXPECT_TRUE(h.Feed.Info.busy());
    EXPECT_EQ(busy.count(), 1);
    EXPECT_TRUE(waitFor([&] { return !h.Feed.Info.busy(); }));
    EXPECT_FALSE(h.Feed.State.BusyLit);
    EXPECT_EQ(busy.count(), 2);
}

// The channel's far end starts its lines again: what the earlier lines built is gone, and the lines
// that follow show what they show to a program that saw only them.
TEST(StreamRestart, DropsWhatTheEarlierLinesBuilt)
{
    FeedHarness h, fresh;
    ResultsView race = h.open(kLayoutCurrentRace), freshRace = fresh.open(kLayoutCurrentRace);
    h.feedLines({"$B,1,\"Heat\"", G(1, "7", 3), G(2, "9", 3)});
    QSignalSpy told(&h.Feed.Info, &RunInfo::changed);
    emit h.Device.streamRestarted();
    EXPECT_GT(told.count(), 0);
    EXPECT_EQ(h.Feed.State.CurrentRaceList.count(), 0);
    EXPECT_EQ(h.cell(race, 7, 1), fresh.cell(freshRace, 7, 1));
    for (FeedHarness* harness : {&h, &fresh})
        harness->feedLines({"$B,2,\"Final\"", G(1, "9", 1)});
    for (int row = 1; row <= 2; ++row)
        EXPECT_EQ(h.cell(race, 2, row), fresh.cell(freshRace, 2, row)) << row;
    EXPECT_EQ(h.label(RunInfo::kRun), fresh.label(RunInfo::kRun));
}
