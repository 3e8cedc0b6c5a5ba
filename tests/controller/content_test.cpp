#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>

#include "feed_lines.h"
#include "harness.h"
#include "main_prompter.h"
#include "zeb_grid.h"

using namespace kav;
using namespace kav::feed;

TEST(Content, AnUnknownCompetitorShowsEmptyNameColumns)
{
    THarness h;
    TFResults& race = h.Open(kLayoutCurrentRace);
    h.Feed(G(1, "99", 3, "00:04:30.000"));
    EXPECT_EQ(h.Cell(race, 0, 1), "1");
    EXPECT_EQ(h.Cell(race, 2, 1), " ");
    EXPECT_EQ(h.Cell(race, 4, 1), " ");
    EXPECT_EQ(h.Cell(race, 15, 1), " ");
    EXPECT_EQ(h.Cell(race, 7, 1), "3");
    EXPECT_EQ(h.Cell(race, 9, 1), "-----");
    EXPECT_EQ(h.Cell(race, 10, 1), "-");
    EXPECT_EQ(h.Cell(race, 13, 1), "-----");
}

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

TEST(Content, LastSpeedNeedsTwoLapsExceptInTheCurrentRace)
{
    THarness h;
    TFResults& race = h.Open(kLayoutCurrentRace);
    TFResults& lap = h.Open(kLayoutCompletedLap);
    TFResults& track = h.Open(kLayoutTrackPositions);
    h.Feed({A("1", "11", "Ann", "Alpha"), A("2", "12", "Bea", "Bravo"), G(1, "1", 1, "00:01:30.000"),
            G(2, "2", 1, "00:01:31.000"), J("1", "00:01:30.000"), J("2", "00:01:31.000"),
            G(1, "1", 2, "00:03:00.000")});   // the leader's new lap takes the snapshot
    EXPECT_EQ(h.Cell(race, 12, 1), "160.00"); // 4 km in 90 s, on the leader's first lap
    EXPECT_EQ(h.Cell(race, 9, 1), " 1:30.000");
    EXPECT_EQ(h.Cell(race, 12, 2), "-----"); // row written before its passing came
    EXPECT_EQ(h.Cell(lap, 12, 2), "-----");
    EXPECT_EQ(h.Cell(lap, 9, 2), " 1:31.000");
    EXPECT_EQ(h.Cell(track, 12, 1), "-----");
    EXPECT_EQ(h.Cell(lap, 7, 1), "1");
    EXPECT_EQ(h.Cell(lap, 8, 1), " 0:01:30.000");
}

TEST(Content, PracticeRowWithoutRaceEntryShowsNoLapsOrTotal)
{
    THarness h;
    TFResults& prac = h.Open(kLayoutPractice);
    h.Feed({A("3", "33", "Cor", "Charlie"), H(1, "3", 0, "00:59:59.999")});
    EXPECT_EQ(h.Cell(prac, 7, 1), "-----");
    EXPECT_EQ(h.Cell(prac, 8, 1), "-----");
    EXPECT_EQ(h.Cell(prac, 10, 1), "-");
    EXPECT_EQ(h.Cell(prac, 11, 1), "-----");
    EXPECT_EQ(h.Cell(prac, 2, 1), "33");
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

TEST(Content, ANewWindowIsFilledFromTheRaceDataAtOnce)
{
    THarness h;
    h.Feed({A("1", "11", "Ann", "Alpha"), G(1, "1", 3, "00:04:30.000"), H(1, "1", 2, "00:01:29.000")});
    TFResults& race = h.Open(kLayoutCurrentRace);
    TFResults& prac = h.Open(kLayoutPractice);
    EXPECT_EQ(h.Cell(race, 4, 1), "Alpha");
    EXPECT_EQ(h.Cell(prac, 11, 1), " 1:29.000");
    EXPECT_EQ(h.Cell(prac, 7, 1), "3");
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
    TMainPrompter prompter;
    prompter.OnExec = [](QDialog& dialog) {
        static_cast<TColSettDlg&>(dialog).ColumnBox(1)->click();
        return int(QDialog::Accepted);
    };
    race.EditColumns();
    ASSERT_EQ(race.Record().ColPos[2], 1);
    EXPECT_EQ(race.Grid().GetGraphic(1, 1), nullptr);
}

TEST(GenInfoPanel, AFirstEmptySlotHidesThePanel)
{
    THarness h;
    TGenInfo layout;
    ResetGenInfo(layout);
    layout[1] = 2;
    h.Panel.ApplyGenInfoLayout(layout);
    EXPECT_TRUE(h.Panel.isHidden());
    layout = {9, 10, 2, kNoCode, kNoCode, kNoCode, kNoCode, kNoCode, kNoCode, kNoCode};
    h.Panel.resize(1000, TGenInfoPanel::kHeight);
    h.Panel.ApplyGenInfoLayout(layout);
    EXPECT_FALSE(h.Panel.isHidden());
    EXPECT_FALSE(h.Panel.FlagPanel().isHidden());
    const int left = h.Panel.FlagPanel().width() + 10;
    EXPECT_EQ(h.Panel.Caption(TGenInfoPanel::kRun)->x(), left);
    EXPECT_EQ(h.Panel.Value(TGenInfoPanel::kRun)->x(), left + 41 + 10);
    EXPECT_EQ(h.Panel.Caption(TGenInfoPanel::kRaceTime)->x(), left + 41 + 10 + 233 + 10);
    EXPECT_EQ(h.Panel.Caption(TGenInfoPanel::kRaceTime)->text(), "Racetime:");
    EXPECT_TRUE(h.Panel.Caption(TGenInfoPanel::kLapsToGo)->isHidden());
    EXPECT_EQ(h.Panel.Caption(TGenInfoPanel::kLapsToGo)->y(), 50);
}

TEST(GenInfoPanel, TrackLabelsAndResizePlacement)
{
    THarness h;
    h.Settings.TrackLength = 1235;
    h.Settings.TrackName = "Assen";
    h.Ctl.State.RunName = "Heat 1";
    h.Panel.UpdateTrackLabels(h.Settings, h.Ctl.State.RunName);
    EXPECT_EQ(h.Label(TGenInfoPanel::kTrackLength), "1.235");
    EXPECT_EQ(h.Label(TGenInfoPanel::kTrackName), "Assen");
    EXPECT_EQ(h.Label(TGenInfoPanel::kRun), "Heat 1");
    h.Settings.TrackLength = 40;
    h.Panel.UpdateTrackLabels(h.Settings, h.Ctl.State.RunName);
    EXPECT_EQ(h.Label(TGenInfoPanel::kTrackLength), "0.040");
    h.Panel.resize(800, TGenInfoPanel::kHeight);
    h.Panel.FormResize();
    const QWidget& busy = h.Panel.BusyPanel();
    EXPECT_EQ(busy.x(), 800 - busy.width() - 3);
}
