// What tells the operator the feed's state: the stale-feed indicator and the main window's title.

#include <gtest/gtest.h>

#include <QTest>

#include "channel_status_title.h"
#include "feed_server.h"
#include "harness.h" // PrintTo for QString
#include "kavendor_comm.h"
#include "main_window.h"
#include "stale_feed_indicator.h"

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
        TManualClock clock;
        clock.Set(23 * kTicksPerHour + 59 * kTicksPerMinute); // the silence runs past midnight
        StaleFeedIndicator indicator(clock);
        indicator.lineReceived();
        clock.Advance(row.seconds * kTicksPerSecond);
        indicator.refresh();
        EXPECT_EQ(indicator.level(), row.level) << row.seconds << " s";
        EXPECT_EQ(indicator.isHidden() ? QString() : indicator.text(), QString::fromLatin1(row.text));
    }
}

TEST(StaleFeedIndicator, CountsFromTheStartUntilALineComesAndIgnoresAChangedTimeOfDay)
{
    TManualClock clock;
    TMainOptions options;
    options.UseChannel = false;
    options.UseSettingsFiles = false;
    options.Clock = &clock;
    TFMain main(options);
    StaleFeedIndicator& indicator = main.staleFeedIndicator();
    clock.Advance(75 * kTicksPerSecond);
    clock.Set(kTicksPerHour); // the computer's clock put back: the silence stays what it was
    indicator.refresh();
    EXPECT_EQ(indicator.text(), "No data for 1:15");
    EXPECT_EQ(indicator.level(), Level::Red);
    main.ReceiveString("$F,9999,\"00:00:00\",\"14:00:00\",\"00:00:00\",\"Green \"\n");
    EXPECT_EQ(indicator.level(), Level::Fresh);
    EXPECT_TRUE(indicator.isHidden());
}

TEST(ChannelStatusTitle, FollowsATcpConnectionThroughItsStates)
{
    TFeedServer server;
    TKavendorComm device;
    device.Settings.CommType = TCommType::TCPIP;
    device.Settings.TCPIP_Addr = QStringLiteral("127.0.0.1");
    device.Settings.TCPIP_Port = server.Port();
    device.Settings.TCPIP_AutoReconnect = true;
    device.SetAutoReconnectInterval(std::chrono::hours(1));
    QWidget window;
    ChannelStatusTitle title(window, QStringLiteral("Kavendor  v3.2"));
    title.watch(device);
    const QString at = QStringLiteral(" 127.0.0.1:%1").arg(server.Port());
    const auto titleBecomes = [&window](const QString& state) {
        return QTest::qWaitFor([&] { return window.windowTitle() == "Kavendor  v3.2 - " + state; }, 10000);
    };
    EXPECT_TRUE(titleBecomes("disconnected from" + at)) << window.windowTitle().toStdString();
    device.Open();
    EXPECT_EQ(window.windowTitle(), "Kavendor  v3.2 - connecting to" + at);
    EXPECT_TRUE(titleBecomes("connected to" + at)) << window.windowTitle().toStdString();
    ASSERT_TRUE(server.WaitForConnections(1));
    server.CloseLatest();
    EXPECT_TRUE(titleBecomes("waiting to reconnect to" + at)) << window.windowTitle().toStdString();
    device.Close();
    EXPECT_EQ(window.windowTitle(), "Kavendor  v3.2 - disconnected from" + at);

    title.showReplay(QStringLiteral("/data/race6.feed"));
    EXPECT_EQ(window.windowTitle(), "Kavendor  v3.2 - replaying race6.feed");
    TCommSettings serial;
    serial.S_Device = QStringLiteral("/dev/ttyUSB0");
    EXPECT_EQ(ChannelStatusTitle::statusText(ChannelState::Connected, serial), "connected to /dev/ttyUSB0");
}
