#pragma once

#include <QString>
#include <QTimer>

#include <chrono>
#include <functional>
#include <memory>

#include "channel_state.h"
#include "device.h"

namespace kav {

class CommunicationPrompts;

// The program's device: builds the channel the settings ask for, opens and closes it, and after a
// failed or remotely closed TCP connection offers to reconnect (or, when set so, retries unasked).
class KavendorDevice : public Device {
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds kReconnectDelay{200};
    static constexpr std::chrono::milliseconds kAutoReconnectInterval{2000};
    static constexpr const char* kFileName = "Communication.ini";

    explicit KavendorDevice(QObject* parent = nullptr);
    ~KavendorDevice() override;

    QString ProgramDir; // ends with a path separator
    bool Closing = false;
    QTimer ReconnectTimer;

    void open() override;
    void close() override;

    // Reads "Communication.ini" from ProgramDir, then opens.
    void loadSettingsAndOpen();
    // Writes "Communication.ini" anew; throws what the settings file throws when it cannot be written.
    void saveSettings() const;

    ChannelState channelState() const { return m_channelState; }

    void setPrompts(CommunicationPrompts* prompts) { m_prompts = prompts; }
    CommunicationPrompts* prompts() const { return m_prompts; }
    // Builds the MQTT feed channel, which lives outside this library; without it that kind opens nothing.
    using ChannelMaker = std::function<std::unique_ptr<Communication>(const CommunicationSettings&)>;
    void setMqttChannelMaker(ChannelMaker maker) { m_mqttChannelMaker = std::move(maker); }
    // Lets tests shorten the pause between unasked retries.
    void setAutoReconnectInterval(std::chrono::milliseconds interval) { m_autoReconnectInterval = interval; }

signals:
    void channelStateChanged(kav::ChannelState state);
    // A TCP connection could not be made (failed) or the server closed it; signalled before any
    // reconnect is offered. Over MQTT: the first try found no broker (failed), or the publisher ended
    // its session.
    void connectionEnded(bool failed);

protected:
    // Offers to reconnect when the far end closed a TCP connection.
    void channelClosed() override;

private:
    void setChannelState(ChannelState state);
    std::unique_ptr<Communication> makeChannel() const;
    std::unique_ptr<Communication> makeSerialChannel() const;
    std::unique_ptr<Communication> makeTcpChannel() const;
    void connectHandlers(Communication& channel);
    void handleFailedConnection();
    bool tellConnectionEnded(bool failed);
    void offerReconnect(const QString& text);
    void askToReconnect(const QString& text);
    bool reconnectWanted() const;
    void showWarning(const QString& text);

    CommunicationPrompts* m_prompts = nullptr;
    ChannelMaker m_mqttChannelMaker;
    std::chrono::milliseconds m_autoReconnectInterval = kAutoReconnectInterval;
    bool m_questionPending = false;
    ChannelState m_channelState = ChannelState::Disconnected;
};

} // namespace kav
