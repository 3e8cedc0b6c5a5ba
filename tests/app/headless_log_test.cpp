// What a program without a window says of its state: a line for each change, nothing for the rest.
#include <gtest/gtest.h>

#include <QStringList>

#include "headless_log.h"

using namespace kav;

TEST(HeadlessLog, SaysEachChangeOfTheFeedTheRunAndTheBrokerOnce)
{
    QStringList said;
    HeadlessLog log([&](const QString& line) { said << line; });
    const auto broker = [](BrokerStatus::State state) {
        return BrokerStatus{state, QStringLiteral("10.0.0.5:1883"), QStringLiteral("Connection refused"), 4};
    };
    log.channelChanged(ChannelState::Connecting);
    log.channelChanged(ChannelState::WaitingToReconnect);
    log.channelChanged(ChannelState::Connected);
    log.channelChanged(ChannelState::Connected);
    log.runChanged(QStringLiteral("Heat 1"), false);
    log.runChanged(QStringLiteral("Heat 1"), false);
    log.runChanged(QStringLiteral("Heat 1"), true);
    log.runChanged(QStringLiteral("Heat 1"), true);
    log.channelChanged(ChannelState::WaitingToReconnect);
    log.channelChanged(ChannelState::Disconnected, true);
    log.runChanged(QStringLiteral("Final"), false);
    log.publisherChanged(broker(BrokerStatus::State::Connecting));
    log.publisherChanged(broker(BrokerStatus::State::Retrying));
    log.publisherChanged(broker(BrokerStatus::State::Connected));
    log.publisherChanged(broker(BrokerStatus::State::Retrying));
    EXPECT_EQ(said,
              (QStringList{"feed connecting", "feed not reached; trying again", "feed connected", "run started: Heat 1",
                           "run finished: Heat 1", "feed lost; trying again",
                           "feed ended: the publisher ended its session; listening for the next", "run started: Final",
                           "broker not reached: " + broker(BrokerStatus::State::Retrying).text(),
                           "broker: " + broker(BrokerStatus::State::Connected).text(),
                           "broker lost: " + broker(BrokerStatus::State::Retrying).text()}));
}
