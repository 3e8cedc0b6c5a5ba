// The general information panel along the bottom of the main window.

#include <gtest/gtest.h>

#include <QLabel>

#include "general_info_panel.h"
#include "status_lamp.h"

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
    EXPECT_EQ(panel.caption(RunInfo::kRun)->x(), left);
    EXPECT_EQ(panel.value(RunInfo::kRun)->x(), left + 41 + 10);
    EXPECT_EQ(panel.caption(RunInfo::kRaceTime)->x(), left + 41 + 10 + 233 + 10);
    EXPECT_EQ(panel.caption(RunInfo::kRaceTime)->text(), "Racetime:");
    EXPECT_TRUE(panel.caption(RunInfo::kLapsToGo)->isHidden());
    EXPECT_EQ(panel.caption(RunInfo::kLapsToGo)->y(), 50);
}

TEST(GenInfoPanel, TrackLabelsAndResizePlacement)
{
    GeneralInfoPanel panel;
    ManualClock clock;
    RunInfo info(clock);
    panel.watch(info);
    info.setTrack(1235, "Assen");
    info.setValue(RunInfo::kRun, "Heat 1");
    EXPECT_EQ(panel.valueText(RunInfo::kTrackLength), "1.235");
    EXPECT_EQ(panel.valueText(RunInfo::kTrackName), "Assen");
    EXPECT_EQ(panel.valueText(RunInfo::kRun), "Heat 1");
    panel.resize(800, GeneralInfoPanel::kHeight);
    panel.placeItems();
    const QWidget& busy = panel.busyPanel();
    EXPECT_EQ(busy.x(), 800 - busy.width() - 3);
    // The busy lamps (green, then red) and the error hint follow the run's state.
    const auto lamps = busy.findChildren<StatusLamp*>();
    ASSERT_EQ(lamps.size(), 2);
    for (const bool lit : {true, false}) {
        info.setBusy(lit);
        info.setErrors(lit ? 3 : 0);
        EXPECT_EQ(lamps[0]->color(), lit ? kClBtnFace : ColorValue{0x00FF00}) << lit;
        EXPECT_EQ(lamps[1]->color(), lit ? ColorValue{0x0000FF} : kClBtnFace) << lit;
        EXPECT_EQ(panel.errorHint(), info.errorHint()) << lit;
    }
}
