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
    using enum ChannelState;
    for (const ChannelState state : {Connecting, WaitingToReconnect, Connected, Connected})
        log.channelChanged(state);
    for (const bool finished : {false, false, true, true})
        log.runChanged(QStringLiteral("Heat 1"), finished);
    // A TCP feed the server closed, one lost, and a retry that reaches nothing.
    for (const ChannelState state :
         {Disconnected, WaitingToReconnect, Connecting, Connected, WaitingToReconnect, Connecting, WaitingToReconnect})
        log.channelChanged(state);
    log.channelChanged(Disconnected, true);
    log.runChanged(QStringLiteral("Final"), false);
    using Broker = BrokerStatus::State;
    for (const Broker state : {Broker::Connecting, Broker::Retrying, Broker::Connected, Broker::Retrying})
        log.publisherChanged(broker(state));
    EXPECT_EQ(
        said,
        (QStringList{"feed connecting", "feed not reached; trying again", "feed connected", "run started: Heat 1",
                     "run finished: Heat 1", "feed closed", "feed lost; trying again", "feed connecting",
                     "feed connected", "feed lost; trying again", "feed connecting", "feed not reached; trying again",
                     "feed ended: the publisher ended its session; listening for the next", "run started: Final",
                     "broker not reached: " + broker(BrokerStatus::State::Retrying).text(),
                     "broker: " + broker(BrokerStatus::State::Connected).text(),
                     "broker lost: " + broker(BrokerStatus::State::Retrying).text()}));
}
