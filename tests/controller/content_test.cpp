#include <gtest/gtest.h>

#include <QCheckBox>

#include "harness.h"
#include "results_grid.h"
#include "scripted_prompter.h"

using namespace kav;

namespace {

const std::string kNewRun = "$I,\"12:00:00\",\"26 Nov\"", kAnn = "$A,\"1\",\"11\",1234,\"Ann\",\"Alpha\",\"NED\",1",
                  kFirst = "$G,1,\"1\",1,\"00:01:30.000\"", kSecond = "$G,2,\"2\",1,\"00:01:31.000\"",
                  kPassing = "$J,\"1\",\"00:01:30.000\",\"12:00:00.000\"";

} // namespace

// Followed up to the first empty entry of the list.
TEST(Content, FollowedCompetitorsTakeTheFollowColours)
{
    Harness h;
    for (std::size_t slot : {6, 7, 8, 9})
        h.Settings.Colors[slot] = static_cast<ColorValue>(0x111111 * (slot - 5));
    h.Settings.FollowList[0] = "2";
    h.Settings.FollowList[2] = "1";
    ResultWindow& race = h.open(kLayoutCurrentRace);
    h.feedLines({kFirst, kSecond});
    EXPECT_EQ(h.RowColours(race, 1), std::make_pair(ColorValue{0x111111}, ColorValue{0x222222}));
    EXPECT_EQ(h.RowColours(race, 2), std::make_pair(ColorValue{0x333333}, ColorValue{0x444444}));
}

// A window opened later once showed only what its refill wrote: no white flags from the new run
// below the standings. Windows of a kind now show the same cells, each in its own column order.
TEST(Content, AWindowOpenedLaterShowsWhatTheFirstShows)
{
    Harness h;
    ResultWindow& first = h.open(kLayoutCurrentRace);
    h.feedLines({kNewRun, kAnn, kFirst, kSecond, kPassing});
    ResultWindow& later = h.open(kLayoutCurrentRace, {16, 1, 0, 14, 7, 4});
    for (int row = 1; row <= h.Ctl.State.RowCount; ++row) {
        EXPECT_EQ(h.shownPicture(later, row), h.shownPicture(first, row)) << "row " << row;
        for (std::uint8_t id : {16, 0, 14, 7, 4})
            EXPECT_EQ(h.cell(later, id, row), h.cell(first, id, row)) << "row " << row << ", column " << int(id);
    }
    EXPECT_EQ(h.shownPicture(later, 3), "white flag");
}

// Pictures stayed in the grid place of the marker column when the column settings took it out, and
// covered the texts of the column that moved into that place.
TEST(Content, ColumnsChosenAgainShowNoPictureOfAnotherColumn)
{
    Harness h;
    ResultWindow& race = h.open(kLayoutCurrentRace, {0, 1, 2});
    h.feedLines({kAnn, kFirst, kPassing});
    ASSERT_FALSE(h.shownPicture(race, 1).empty());
    ScriptedPrompter prompter;
    prompter.onExec = [](QDialog& dialog) {
        static_cast<ColumnSettingsDialog&>(dialog).columnBox(1)->click();
        return int(QDialog::Accepted);
    };
    race.editColumns();
    ASSERT_EQ(race.settings().ColPos[2], 1);
    EXPECT_EQ(race.grid().graphic(1, 1), nullptr);
}
