// The stale-feed indicator in the main window: it counts from the start and by the steady clock.

#include <gtest/gtest.h>

#include "kavendor_device.h"
#include "main_window.h"
#include "stale_feed_indicator.h"
#include "test_main_window.h"

using namespace kav;
using Level = StaleFeedIndicator::Level;

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
