// The stale-feed indicator on the main window's panel: how long no line has come from the feed.

#include <gtest/gtest.h>

#include "case_table.h"
#include "kavendor_device.h"
#include "main_window.h"
#include "stale_feed_indicator.h"
#include "test_main_window.h"

using namespace kav;
using Level = StaleFeedIndicator::Level;

TEST(StaleFeedIndicator, ShowsTheSilenceOnAmberAfterTenSecondsAndOnRedAfterAMinute)
{
    const char* const levels[] = {"Fresh", "Amber", "Red"};
    for (const auto& row : readCaseTable(KAV_TEST_DATA "/shell/stale_feed.txt")) {
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

TEST(StaleFeedIndicator, CountsFromTheStartUntilALineComesAndIgnoresAChangedTimeOfDay)
{
    ManualClock clock;
    MainWindow main(testOptions(nullptr, &clock));
    StaleFeedIndicator& indicator = main.staleFeedIndicator();
    clock.advance(75 * kTicksPerSecond);
    clock.set(kTicksPerHour); // the computer's clock put back: the silence stays what it was
    main.controller().Info.refreshSilence();
    EXPECT_EQ(indicator.text(), "No data for 1:15");
    EXPECT_EQ(indicator.level(), Level::Red);
    main.device()->receiveBytes("$F,9999,\"00:00:00\",\"14:00:00\",\"00:00:00\",\"Green \"\n");
    EXPECT_EQ(indicator.level(), Level::Fresh);
    EXPECT_TRUE(indicator.isHidden());
}
