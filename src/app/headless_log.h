#pragma once

#include <QObject>
#include <QString>

#include <functional>

#include "broker_status.h"
#include "channel_state.h"

namespace kav {

class KavendorDevice;
class RunInfo;

// What a program without a window tells of itself on standard error, a line each time something
// changes that its operator (or the service's journal) needs: the feed channel connected, lost or
// trying again, a run started or finished, the broker connection of the publisher up or down.
class HeadlessLog : public QObject {
    Q_OBJECT
public:
    using Sink = std::function<void(const QString&)>;

    // Lines go to sink, each without "kavendor: " or its line end; standard error unless given another.
    explicit HeadlessLog(Sink sink = {}, QObject* parent = nullptr);

    void watch(KavendorDevice& device, RunInfo& info);
    // overBroker: the feed comes from a broker, whose channel ends when its publisher ends its session
    // and goes on listening for the next one.
    void channelChanged(ChannelState state, bool overBroker = false);
    void runChanged(const QString& run, bool finished);
    void publisherChanged(const BrokerStatus& status);

private:
    Sink m_sink;
    ChannelState m_channel = ChannelState::Disconnected;
    bool m_connectedSinceRetry = false; // a TCP feed the server closed is closed before it is retried
    QString m_run;
    bool m_finished = false;
    BrokerStatus::State m_publisher = BrokerStatus::State::Off;
};

} // namespace kav
