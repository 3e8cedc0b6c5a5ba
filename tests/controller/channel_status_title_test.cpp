// The main window's title tells the channel's state.

#include <gtest/gtest.h>

#include <QTest>

#include "channel_status_title.h"
#include "feed_server.h"
#include "kavendor_device.h"
#include "qstring_printer.h"

using namespace kav;

TEST(ChannelStatusTitle, FollowsATcpConnectionThroughItsStates)
{
    FeedServer server;
    KavendorDevice device;
    device.Settings = {CommunicationType::TCPIP, 1, 9600, "", "127.0.0.1", server.port(), true, 30, {}};
    device.setAutoReconnectInterval(std::chrono::hours(1));
    QWidget window;
    ChannelStatusTitle title(window, QStringLiteral("Kavendor  v3.2"));
    title.watch(device);
    const QString at = QStringLiteral(" 127.0.0.1:%1").arg(server.port());
    const auto titleBecomes = [&window](const QString& state) {
        return QTest::qWaitFor([&] { return window.windowTitle() == "Kavendor  v3.2 - " + state; }, 10000);
    };
    EXPECT_TRUE(titleBecomes("disconnected from" + at)) << window.windowTitle().toStdString();
    device.open();
    EXPECT_EQ(window.windowTitle(), "Kavendor  v3.2 - connecting to" + at);
    EXPECT_TRUE(titleBecomes("connected to" + at)) << window.windowTitle().toStdString();
    ASSERT_TRUE(server.waitForConnections(1));
    server.closeLatest();
    EXPECT_TRUE(titleBecomes("waiting to reconnect to" + at)) << window.windowTitle().toStdString();
    device.close();
    EXPECT_EQ(window.windowTitle(), "Kavendor  v3.2 - disconnected from" + at);

    title.showReplay(QStringLiteral("/data/race6.feed"));
    EXPECT_EQ(window.windowTitle(), "Kavendor  v3.2 - replaying race6.feed");
}
