#include <gtest/gtest.h>

#include <QCheckBox>

#include "harness.h"
#include "scripted_prompter.h"
#include "zeb_grid.h"

using namespace kav;

namespace {

const std::string kNewRun = "$I,\"12:00:00\",\"26 Nov\"", kAnn = "$A,\"1\",\"11\",1234,\"Ann\",\"Alpha\",\"NED\",1",
                  kFirst = "$G,1,\"1\",1,\"00:01:30.000\"", kSecond = "$G,2,\"2\",1,\"00:01:31.000\"",
                  kPassing = "$J,\"1\",\"00:01:30.000\",\"12:00:00.000\"";

} // namespace

// Followed up to the first empty entry of the list.
TEST(Content, FollowedCompetitorsTakeTheFollowColours)
{
    THarness h;
    for (std::size_t slot : {6, 7, 8, 9})
        h.Settings.Colors[slot] = static_cast<TColorValue>(0x111111 * (slot - 5));
    h.Settings.FollowList[0] = "2";
    h.Settings.FollowList[2] = "1";
    TFResults& race = h.Open(kLayoutCurrentRace);
    h.Feed({kFirst, kSecond});
    EXPECT_EQ(h.RowColours(race, 1), std::make_pair(TColorValue{0x111111}, TColorValue{0x222222}));
    EXPECT_EQ(h.RowColours(race, 2), std::make_pair(TColorValue{0x333333}, TColorValue{0x444444}));
}

// A window opened later once showed only what its refill wrote: no white flags from the new run
// below the standings. Windows of a kind now show the same cells, each in its own column order.
TEST(Content, AWindowOpenedLaterShowsWhatTheFirstShows)
{
    THarness h;
    TFResults& first = h.Open(kLayoutCurrentRace);
    h.Feed({kNewRun, kAnn, kFirst, kSecond, kPassing});
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
    h.Feed({kAnn, kFirst, kPassing});
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
