#include "headless_log.h"

#include <cstdio>
#include <utility>

#include "kavendor_device.h"
#include "run_info.h"

namespace kav {

HeadlessLog::HeadlessLog(Sink sink, QObject* parent) : QObject(parent), m_sink(std::move(sink))
{
    if (!m_sink)
        m_sink = [](const QString& line) {
            std::fputs(qPrintable(QStringLiteral("kavendor: %1\n").arg(line)), stderr);
            std::fflush(stderr);
        };
}

void HeadlessLog::watch(KavendorDevice& device, RunInfo& info)
{
    connect(&device, &KavendorDevice::channelStateChanged, this, [this, &device](ChannelState state) {
        channelChanged(state, device.Settings.CommType == CommunicationType::MQTT);
    });
    connect(&info, &RunInfo::changed, this,
            [this, &info] { runChanged(info.value(RunInfo::kRun).trimmed(), info.finished()); });
}

void HeadlessLog::channelChanged(ChannelState state, bool overBroker)
{
    if (state == m_channel)
        return;
    m_channel = state;
    switch (state) {
    case ChannelState::Connected: m_connectedSinceRetry = true; return m_sink(QStringLiteral("feed connected"));
    case ChannelState::Connecting: return m_sink(QStringLiteral("feed connecting"));
    case ChannelState::WaitingToReconnect:
        return m_sink(std::exchange(m_connectedSinceRetry, false) ? QStringLiteral("feed lost; trying again")
                                                                  : QStringLiteral("feed not reached; trying again"));
    case ChannelState::Disconnected:
        return m_sink(overBroker ? QStringLiteral("feed ended: the publisher ended its session; listening for the next")
                                 : QStringLiteral("feed closed"));
    }
}

void HeadlessLog::runChanged(const QString& run, bool finished)
{
    if (run != m_run && !run.isEmpty())
        m_sink(QStringLiteral("run started: %1").arg(run));
    if (finished && !m_finished && !run.isEmpty())
        m_sink(QStringLiteral("run finished: %1").arg(run));
    m_run = run;
    m_finished = finished;
}

void HeadlessLog::publisherChanged(const BrokerStatus& status)
{
    if (status.state == m_publisher)
        return;
    const bool wasConnected = m_publisher == BrokerStatus::State::Connected;
    m_publisher = status.state;
    if (status.state == BrokerStatus::State::Connected)
        m_sink(QStringLiteral("broker: ") + status.text());
    else if (status.state == BrokerStatus::State::Retrying)
        m_sink(QStringLiteral("broker %1: %2")
                   .arg(wasConnected ? QStringLiteral("lost") : QStringLiteral("not reached"), status.text()));
}

} // namespace kav
