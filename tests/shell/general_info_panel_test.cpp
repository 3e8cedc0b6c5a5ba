// The general information panel along the bottom of the main window.

#include <gtest/gtest.h>

#include <QLabel>

#include "general_info_panel.h"

using namespace kav;

TEST(GenInfoPanel, AFirstEmptySlotHidesThePanel)
{
    GeneralInfoPanel panel;
    GeneralInfoItems layout;
    resetGeneralInfo(layout);
    layout[1] = 2;
    panel.applyGeneralInfoLayout(layout);
    EXPECT_TRUE(panel.isHidden());
    layout = {9, 10, 2, kNoCode, kNoCode, kNoCode, kNoCode, kNoCode, kNoCode, kNoCode};
    panel.resize(1000, GeneralInfoPanel::kHeight);
    panel.applyGeneralInfoLayout(layout);
    EXPECT_FALSE(panel.isHidden());
    EXPECT_FALSE(panel.flagPanel().isHidden());
    const int left = panel.flagPanel().width() + 10;
    EXPECT_EQ(panel.caption(GeneralInfoPanel::kRun)->x(), left);
    EXPECT_EQ(panel.value(GeneralInfoPanel::kRun)->x(), left + 41 + 10);
    EXPECT_EQ(panel.caption(GeneralInfoPanel::kRaceTime)->x(), left + 41 + 10 + 233 + 10);
    EXPECT_EQ(panel.caption(GeneralInfoPanel::kRaceTime)->text(), "Racetime:");
    EXPECT_TRUE(panel.caption(GeneralInfoPanel::kLapsToGo)->isHidden());
    EXPECT_EQ(panel.caption(GeneralInfoPanel::kLapsToGo)->y(), 50);
}

TEST(GenInfoPanel, TrackLabelsAndResizePlacement)
{
    GeneralInfoPanel panel;
    MainSettings settings;
    settings.TrackLength = 1235;
    settings.TrackName = "Assen";
    panel.updateTrackLabels(settings, "Heat 1");
    EXPECT_EQ(panel.valueText(GeneralInfoPanel::kTrackLength), "1.235");
    EXPECT_EQ(panel.valueText(GeneralInfoPanel::kTrackName), "Assen");
    EXPECT_EQ(panel.valueText(GeneralInfoPanel::kRun), "Heat 1");
    settings.TrackLength = 40;
    panel.updateTrackLabels(settings, "Heat 1");
    EXPECT_EQ(panel.valueText(GeneralInfoPanel::kTrackLength), "0.040");
    panel.resize(800, GeneralInfoPanel::kHeight);
    panel.placeItems();
    const QWidget& busy = panel.busyPanel();
    EXPECT_EQ(busy.x(), 800 - busy.width() - 3);
}
