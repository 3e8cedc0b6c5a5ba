// The general information panel along the bottom of the main window.

#include <gtest/gtest.h>

#include <QLabel>

#include "gen_info_panel.h"

using namespace kav;

TEST(GenInfoPanel, AFirstEmptySlotHidesThePanel)
{
    TGenInfoPanel panel;
    TGenInfo layout;
    ResetGenInfo(layout);
    layout[1] = 2;
    panel.ApplyGenInfoLayout(layout);
    EXPECT_TRUE(panel.isHidden());
    layout = {9, 10, 2, kNoCode, kNoCode, kNoCode, kNoCode, kNoCode, kNoCode, kNoCode};
    panel.resize(1000, TGenInfoPanel::kHeight);
    panel.ApplyGenInfoLayout(layout);
    EXPECT_FALSE(panel.isHidden());
    EXPECT_FALSE(panel.FlagPanel().isHidden());
    const int left = panel.FlagPanel().width() + 10;
    EXPECT_EQ(panel.Caption(TGenInfoPanel::kRun)->x(), left);
    EXPECT_EQ(panel.Value(TGenInfoPanel::kRun)->x(), left + 41 + 10);
    EXPECT_EQ(panel.Caption(TGenInfoPanel::kRaceTime)->x(), left + 41 + 10 + 233 + 10);
    EXPECT_EQ(panel.Caption(TGenInfoPanel::kRaceTime)->text(), "Racetime:");
    EXPECT_TRUE(panel.Caption(TGenInfoPanel::kLapsToGo)->isHidden());
    EXPECT_EQ(panel.Caption(TGenInfoPanel::kLapsToGo)->y(), 50);
}

TEST(GenInfoPanel, TrackLabelsAndResizePlacement)
{
    TGenInfoPanel panel;
    TMainSettings settings;
    settings.TrackLength = 1235;
    settings.TrackName = "Assen";
    panel.UpdateTrackLabels(settings, "Heat 1");
    EXPECT_EQ(panel.ValueText(TGenInfoPanel::kTrackLength), "1.235");
    EXPECT_EQ(panel.ValueText(TGenInfoPanel::kTrackName), "Assen");
    EXPECT_EQ(panel.ValueText(TGenInfoPanel::kRun), "Heat 1");
    settings.TrackLength = 40;
    panel.UpdateTrackLabels(settings, "Heat 1");
    EXPECT_EQ(panel.ValueText(TGenInfoPanel::kTrackLength), "0.040");
    panel.resize(800, TGenInfoPanel::kHeight);
    panel.FormResize();
    const QWidget& busy = panel.BusyPanel();
    EXPECT_EQ(busy.x(), 800 - busy.width() - 3);
}
