#pragma once

#include <QString>
#include <QTimer>

#include <chrono>
#include <functional>
#include <memory>

#include "channel_state.h"
#include "device.h"

namespace kav {

class TCommPrompts;

// The program's device: builds the channel the settings ask for, opens and closes it, and after a
// failed or remotely closed TCP connection offers to reconnect (or, when set so, retries unasked).
class TKavendorComm : public TDevice {
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds kReconnectDelay{200};
    static constexpr std::chrono::milliseconds kAutoReconnectInterval{2000};
    static constexpr const char* kFileName = "Communication.ini";

    explicit TKavendorComm(QObject* parent = nullptr);
    ~TKavendorComm() override;

    QString ProgramDir; // ends with a path separator
    bool Closing = false;
    QTimer ReconnectTimer;

    void Open() override;
    void Close() override;

    // Reads "Communication.ini" from ProgramDir, then opens.
    void LoadSettingsAndOpen();
    // Writes "Communication.ini" anew; throws what the settings file throws when it cannot be written.
    void SaveSettings() const;

    ChannelState channelState() const { return m_channelState; }

    void SetPrompts(TCommPrompts* prompts) { m_prompts = prompts; }
    TCommPrompts* Prompts() const { return m_prompts; }
    // Builds the MQTT feed channel, which lives outside this library; without it that kind opens nothing.
    using ChannelMaker = std::function<std::unique_ptr<TCommunication>(const TCommSettings&)>;
    void setMqttChannelMaker(ChannelMaker maker) { m_mqttChannelMaker = std::move(maker); }
    // Lets tests shorten the pause between unasked retries.
    void SetAutoReconnectInterval(std::chrono::milliseconds interval) { m_autoReconnectInterval = interval; }

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
    std::unique_ptr<TCommunication> MakeChannel() const;
    std::unique_ptr<TCommunication> MakeSerialChannel() const;
    std::unique_ptr<TCommunication> MakeTcpChannel() const;
    void ConnectHandlers(TCommunication& channel);
    void HandleFailedConnection();
    bool TellConnectionEnded(bool failed);
    void OfferReconnect(const QString& text);
    void AskToReconnect(const QString& text);
    bool ReconnectWanted() const;
    void ShowWarning(const QString& text);

    TCommPrompts* m_prompts = nullptr;
    ChannelMaker m_mqttChannelMaker;
    std::chrono::milliseconds m_autoReconnectInterval = kAutoReconnectInterval;
    bool m_questionPending = false;
    ChannelState m_channelState = ChannelState::Disconnected;
};

} // namespace kav
