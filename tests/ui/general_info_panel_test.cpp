// The general information panel along the bottom of the main window, and its stale-feed indicator: how
// long no line has come from the feed.

#include <gtest/gtest.h>

#include <QLabel>

#include "case_table.h"
#include "general_info_panel.h"
#include "stale_feed_indicator.h"
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
    // The flag's pole stays visible on the big screen's dark panel.
    panel.setPalette(QPalette(Qt::black, Qt::black));
    EXPECT_EQ(panel.findChild<QWidget*>("FlagPole")->palette().color(QPalette::Window), QColor(Qt::lightGray));
}

TEST(GenInfoPanel, TrackLabelsAndResizePlacement)
{
    GeneralInfoPanel panel;
    ManualClock clock;
    RunInfo info(clock);
    info.setValue(RunInfo::kRun, "Heat 1"); // shown from the start
    panel.watch(info);
    info.setTrack(1235, "Assen");
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

TEST(StaleFeedIndicator, ShowsTheSilenceOnAmberAfterTenSecondsAndOnRedAfterAMinute)
{
    const char* const levels[] = {"Fresh", "Amber", "Red"};
    for (const auto& row : readCaseTable(KAV_TEST_DATA "/ui/stale_feed.txt")) {
        ManualClock clock;
        clock.set(23 * kTicksPerHour + 59 * kTicksPerMinute); // the silence runs past midnight
        RunInfo info(clock);
        StaleFeedIndicator indicator(info);
        info.lineReceived();
        clock.advance(std::stoi(row.at(0)) * kTicksPerSecond);
        info.refreshSilence();
        EXPECT_EQ(levels[int(indicator.level())], row.at(1)) << row[0] << " s";
        EXPECT_EQ(indicator.isHidden() ? QString() : indicator.text(),
                  QString::fromStdString(row.size() > 2 ? row[2] : ""));
    }
}
