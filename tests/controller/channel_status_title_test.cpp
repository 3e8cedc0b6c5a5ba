// The main window's title tells the channel's state.

#include <gtest/gtest.h>

#include <QTest>

#include "channel_status_title.h"
#include "feed_server.h"
#include "harness.h" // PrintTo for QString
#include "kavendor_comm.h"

using namespace kav;

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
}
