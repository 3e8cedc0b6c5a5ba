// The state burst brings a program that has seen nothing to the standings of one that saw the feed.

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "harness.h"
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

// The cells of the windows but the marker pictures, which age with each program's own clock, and the
// columns given.
void expectSameCells(const Harness& late, const ResultWindow& lateWindow, const Harness& seen,
                     const ResultWindow& seenWindow, std::initializer_list<int> skipped = {})
{
    for (std::uint8_t id = 0; id < kColumnIds; ++id) {
        if (id == ContentBuilder::kColMarker || std::find(skipped.begin(), skipped.end(), id) != skipped.end())
            continue;
        EXPECT_EQ(late.column(lateWindow, id, late.Ctl.State.RowCount),
                  seen.column(seenWindow, id, seen.Ctl.State.RowCount))
            << lateWindow.windowTitle().toStdString() << ", column " << int(id);
    }
}

class StateBurst : public ::testing::TestWithParam<std::size_t> {};

TEST_P(StateBurst, GivesALateProgramTheSameStandingsAndPanel)
{
    const std::vector<std::string> lines = feedLines();
    Harness seen;
    ResultWindow& seenRace = seen.open(kLayoutCurrentRace);
    ResultWindow& seenPractice = seen.open(kLayoutPractice);
    for (std::size_t i = 0; i < std::min(GetParam(), lines.size()); ++i)
        seen.feedLines(lines[i]);

    Harness late;
    ResultWindow& lateRace = late.open(kLayoutCurrentRace);
    ResultWindow& latePractice = late.open(kLayoutPractice);
    std::istringstream burstLines(buildStateBurst(seen.Ctl.State, seen.Settings, seen.Ctl.State.Latest));
    for (std::string line; std::getline(burstLines, line);)
        late.feedLines(line);
    expectSameCells(late, lateRace, seen, seenRace);
    // A practice row takes laps, total time, last lap and its speed from the race when its $H comes,
    // so those show the race at each car's last $H rather than now.
    expectSameCells(late, latePractice, seen, seenPractice, {7, 8, 9, 12});
    for (int item = RunInfo::kLapsToGo; item <= RunInfo::kRun; ++item)
        EXPECT_EQ(late.label(item), seen.label(item)) << "item " << item;
    EXPECT_EQ(late.Ctl.State.RaceFinished, seen.Ctl.State.RaceFinished);
    EXPECT_EQ(late.Ctl.State.FlagState, seen.Ctl.State.FlagState);
    EXPECT_EQ(late.Ctl.State.ErrorCount, 0);
}

// After the grid, in the first laps, mid-race, and at the end.
INSTANTIATE_TEST_SUITE_P(CutPoints, StateBurst, ::testing::Values(30, 90, 175, 1000));

} // namespace
} // namespace kav
