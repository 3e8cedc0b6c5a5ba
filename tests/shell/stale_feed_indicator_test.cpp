// The stale-feed indicator on the main window's panel: how long no line has come from the feed.

#include <gtest/gtest.h>

#include "kavendor_device.h"
#include "main_window.h"
#include "stale_feed_indicator.h"
#include "test_main_window.h"

using namespace kav;
using Level = StaleFeedIndicator::Level;

TEST(StaleFeedIndicator, ShowsTheSilenceOnAmberAfterTenSecondsAndOnRedAfterAMinute)
{
    const struct {
        int seconds;
        Level level;
        const char* text; // shown while not fresh
    } cases[] = {
        {0, Level::Fresh, ""},
        {10, Level::Fresh, ""},
        {11, Level::Amber, "No data for 0:11"},
        {60, Level::Amber, "No data for 1:00"},
        {61, Level::Red, "No data for 1:01"},
        {3725, Level::Red, "No data for 1:02:05"},
    };
    for (const auto& row : cases) {
        ManualClock clock;
        clock.set(23 * kTicksPerHour + 59 * kTicksPerMinute); // the silence runs past midnight
        RunInfo info(clock);
        StaleFeedIndicator indicator(info);
        info.lineReceived();
        clock.advance(row.seconds * kTicksPerSecond);
        info.refreshSilence();
        EXPECT_EQ(indicator.level(), row.level) << row.seconds << " s";
        EXPECT_EQ(indicator.isHidden() ? QString() : indicator.text(), QString::fromLatin1(row.text));
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
