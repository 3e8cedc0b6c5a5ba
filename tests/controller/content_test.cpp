#include <gtest/gtest.h>

#include <QCheckBox>

#include "feed_lines.h"
#include "harness.h"
#include "scripted_prompter.h"
#include "zeb_grid.h"

using namespace kav;
using namespace kav::feed;

TEST(Content, SpeedFollowsTrackLengthAndDecimals)
{
    THarness h;
    h.Settings.TrackLength = 4325;
    h.Settings.SpeedDecimals = 2;
    EXPECT_EQ(h.Ctl.Content.SpeedText(900000), "173.00");
    h.Settings.SpeedDecimals = 0;
    EXPECT_EQ(h.Ctl.Content.SpeedText(900000), "173");
    EXPECT_EQ(h.Ctl.Content.SpeedText(0), "-----");
    EXPECT_EQ(h.Ctl.Content.SpeedText(kEmptyLapTime), "-----");
}

TEST(Content, AWindowWithoutTheGapColumnIsLeftAloneByGapUpdates)
{
    THarness h;
    TFResults& narrow = h.Open(kLayoutCurrentRace, {0, 1, 2, 7});
    TFResults& wide = h.Open(kLayoutCurrentRace, {14, 0});
    h.Feed({G(1, "1", 3, "00:04:30.000"), G(2, "2", 3, "00:04:31.500")});
    EXPECT_EQ(narrow.Grid().ColCount(), 4);
    EXPECT_EQ(h.Cell(narrow, 7, 2), "3");
    EXPECT_EQ(h.Cell(wide, 14, 2).trimmed().isEmpty(), false);
    EXPECT_EQ(h.Cell(wide, 0, 2), "2");
}

TEST(Content, FollowedCompetitorsTakeTheFollowColours)
{
    THarness h;
    h.Settings.Colors[6] = 0x111111;
    h.Settings.Colors[7] = 0x222222;
    h.Settings.Colors[8] = 0x333333;
    h.Settings.Colors[9] = 0x444444;
    h.Settings.FollowList[0] = "2";
    h.Settings.FollowList[2] = "1"; // after the first empty entry: not followed
    TFResults& race = h.Open(kLayoutCurrentRace);
    h.Feed({G(1, "1", 3, "00:04:30.000"), G(2, "2", 3, "00:04:31.500")});
    EXPECT_EQ(h.RowBackground(race, 1), 0x222222);
    EXPECT_EQ(h.RowText(race, 1), 0x111111);
    EXPECT_EQ(h.RowBackground(race, 2), 0x444444);
    EXPECT_EQ(h.RowText(race, 2), 0x333333);
}

// A window opened later once showed only what its refill wrote: no white flags from the new run
// below the standings. Windows of a kind now show the same cells, each in its own column order.
TEST(Content, AWindowOpenedLaterShowsWhatTheFirstShows)
{
    THarness h;
    TFResults& first = h.Open(kLayoutCurrentRace);
    h.Feed({"$I,\"12:00:00\",\"26 Nov\"", A("1", "11", "Ann", "Alpha"), G(1, "1", 1, "00:01:30.000"),
            G(2, "2", 1, "00:01:31.000"), J("1", "00:01:30.000")});
    TFResults& later = h.Open(kLayoutCurrentRace, {16, 1, 0, 14, 7, 4});
    for (int row = 1; row <= h.Ctl.State.RowCount; ++row) {
        EXPECT_EQ(h.Picture(later, row), h.Picture(first, row)) << "row " << row;
        for (std::uint8_t id : {16, 0, 14, 7, 4})
            EXPECT_EQ(h.Cell(later, id, row), h.Cell(first, id, row)) << "row " << row << ", column " << int(id);
    }
    EXPECT_EQ(h.Picture(later, 3), "white flag");
}

// Pictures stayed in the grid place of the marker column when the column settings took it out, and
// covered the texts of the column that moved into that place.
TEST(Content, ColumnsChosenAgainShowNoPictureOfAnotherColumn)
{
    THarness h;
    TFResults& race = h.Open(kLayoutCurrentRace, {0, 1, 2});
    h.Feed({A("1", "11", "Ann", "Alpha"), G(1, "1", 1, "00:01:30.000"), J("1", "00:01:30.000")});
    ASSERT_FALSE(h.Picture(race, 1).empty());
    ScriptedPrompter prompter;
    prompter.onExec = [](QDialog& dialog) {
        static_cast<TColSettDlg&>(dialog).ColumnBox(1)->click();
        return int(QDialog::Accepted);
    };
    race.EditColumns();
    ASSERT_EQ(race.Record().ColPos[2], 1);
    EXPECT_EQ(race.Grid().GetGraphic(1, 1), nullptr);
}
