// The state burst brings a program that has seen nothing to the standings of one that saw the feed.

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "feed_harness.h"
#include "state_burst.h"
#include "temporary_folder.h"

namespace kav {
namespace {

std::vector<std::string> feedLines()
{
    std::vector<std::string> lines;
    std::istringstream feed(readFile(KAV_TEST_DATA "/feeds/race6.feed"));
    for (std::string line; std::getline(feed, line);)
        if (!line.empty())
            lines.push_back(line);
    return lines;
}

// The cells of the views but the marker pictures, which age with each program's own clock, and the
// columns given.
void expectSameCells(const FeedHarness& late, const ResultsView& lateView, const FeedHarness& seen,
                     const ResultsView& seenView, std::initializer_list<int> skipped = {})
{
    for (std::uint8_t id = 0; id < kColumnIds; ++id) {
        if (id == ContentBuilder::kColMarker || std::find(skipped.begin(), skipped.end(), id) != skipped.end())
            continue;
        EXPECT_EQ(late.column(lateView, id, late.Feed.State.RowCount),
                  seen.column(seenView, id, seen.Feed.State.RowCount))
            << "kind " << int(lateView.Kind) << ", column " << int(id);
    }
}

class StateBurst : public ::testing::TestWithParam<std::size_t> {};

TEST_P(StateBurst, GivesALateProgramTheSameStandingsAndPanel)
{
    const std::vector<std::string> lines = feedLines();
    constexpr std::uint8_t kinds[] = {kLayoutCurrentRace, kLayoutCompletedLap, kLayoutTrackPositions, kLayoutPractice};
    FeedHarness seen;
    FeedHarness late;
    std::vector<std::pair<ResultsView, ResultsView>> views;
    for (std::uint8_t kind : kinds)
        views.emplace_back(seen.open(kind), late.open(kind));
    for (std::size_t i = 0; i < std::min(GetParam(), lines.size()); ++i)
        seen.feedLines(lines[i]);

    std::istringstream burstLines(buildStateBurst(seen.Feed.State, seen.Settings.value(), seen.Feed.State.Latest));
    for (std::string line; std::getline(burstLines, line);)
        late.feedLines(line);
    for (const auto& [seenView, lateView] : views) {
        // A practice row takes laps, total time, last lap and its speed from the race when its $H comes,
        // so those show the race at each car's last $H rather than now.
        if (seenView.Kind == kLayoutPractice)
            expectSameCells(late, lateView, seen, seenView, {7, 8, 9, 12});
        else
            expectSameCells(late, lateView, seen, seenView);
    }
    for (int item = RunInfo::kLapsToGo; item <= RunInfo::kRun; ++item)
        EXPECT_EQ(late.label(item), seen.label(item)) << "item " << item;
    EXPECT_EQ(late.Feed.State.RaceFinished, seen.Feed.State.RaceFinished);
    EXPECT_EQ(late.Feed.State.FlagState, seen.Feed.State.FlagState);
    EXPECT_EQ(late.Feed.State.ErrorCount, 0);
}

// After the grid, in the first laps, mid-race, and at the end.
INSTANTIATE_TEST_SUITE_P(CutPoints, StateBurst, ::testing::Values(30, 90, 175, 1000));

} // namespace
} // namespace kav
