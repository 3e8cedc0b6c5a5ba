#include "kavendor_comm.h"

#include <QPointer>

#include "client_socket_comm.h"
#include "comm_prompts.h"
#include "comm_settings_file.h"
#include "serial_comm.h"

namespace kav {
namespace {

const QString kFailedText =
    QStringLiteral("Failed to open TCP/IP connection,\ror connection has been remotely closed.\r\rTry to reconnect?");
const QString kRemoteCloseText = QStringLiteral("Connection has been remotely closed.\r\rTry to reconnect?");

} // namespace

TKavendorComm::TKavendorComm(QObject* parent) : TDevice(parent)
{
    ReconnectTimer.setSingleShot(true);
    ReconnectTimer.setInterval(kReconnectDelay);
    connect(&ReconnectTimer, &QTimer::timeout, this, [this] { Open(); });
}

TKavendorComm::~TKavendorComm()
{
    ReconnectTimer.stop();
}

void TKavendorComm::Open()
{
    Close();
    if (auto channel = MakeChannel()) {
        TCommunication& installed = *channel;
        SetCommunication(std::move(channel));
        ConnectHandlers(installed);
        setChannelState(ChannelState::Connecting);
        TDevice::Open();
        // A serial port that could not be opened says nothing.
        if (m_channelState == ChannelState::Connecting && !installed.IsOpen())
            setChannelState(ChannelState::Disconnected);
    }
    Closing = false;
}

// Our own close never asks, and cancels a reconnect that was still to come.
void TKavendorComm::Close()
{
    Closing = true;
    ReconnectTimer.stop();
    TDevice::Close();
    SetCommunication(nullptr);
    setChannelState(ChannelState::Disconnected);
}

void TKavendorComm::setChannelState(ChannelState state)
{
    if (state == m_channelState)
        return;
    m_channelState = state;
    emit channelStateChanged(state);
}

void TKavendorComm::LoadSettingsAndOpen()
{
    Settings = LoadCommSettings(ProgramDir + QLatin1String(kFileName));
    Open();
}

void TKavendorComm::SaveSettings() const
{
    SaveCommSettings(ProgramDir + QLatin1String(kFileName), Settings);
}

std::unique_ptr<TCommunication> TKavendorComm::MakeChannel() const
{
    switch (Settings.CommType) {
    case TCommType::RS232: return MakeSerialChannel();
    case TCommType::TCPIP: return MakeTcpChannel();
    case TCommType::MQTT: return m_mqttChannelMaker ? m_mqttChannelMaker(Settings) : nullptr;
    default: return nullptr;
    }
}

std::unique_ptr<TCommunication> TKavendorComm::MakeSerialChannel() const
{
    auto channel = std::make_unique<TSerialComm>();
    channel->Port().Settings.PortNumber = Settings.S_Port;
    channel->Port().Settings.Baudrate = Settings.S_Baudrate;
    channel->Port().Settings.DevicePath = Settings.S_Device;
    return channel;
}

std::unique_ptr<TCommunication> TKavendorComm::MakeTcpChannel() const
{
    auto channel = std::make_unique<TClientSocketComm>();
    channel->SetHost(Settings.TCPIP_Addr);
    channel->SetPort(Settings.TCPIP_Port);
    if (Settings.TCPIP_AutoReconnect)
        channel->SetSilenceTimeout(std::chrono::seconds(Settings.TCPIP_SilenceTimeout));
    return channel;
}

void TKavendorComm::ConnectHandlers(TCommunication& channel)
{
    connect(&channel, &TCommunication::opened, this, [this] { setChannelState(ChannelState::Connected); });
    connect(&channel, &TCommunication::connectionFailed, this, &TKavendorComm::HandleFailedConnection);
    connect(&channel, &TCommunication::warningRaised, this, &TKavendorComm::ShowWarning);
}

// The MQTT channel retries by itself; its listener only hears that no broker could be reached, or that
// the publisher ended its session.
void TKavendorComm::HandleFailedConnection()
{
    setChannelState(ChannelState::Disconnected);
    if (Settings.CommType == TCommType::MQTT) {
        TellConnectionEnded(true);
        return;
    }
    if (Settings.CommType != TCommType::TCPIP)
        return;
    if (!TellConnectionEnded(true))
        return;
    OfferReconnect(kFailedText);
}

void TKavendorComm::channelClosed()
{
    if (Closing)
        return;
    setChannelState(ChannelState::Disconnected);
    if (Settings.CommType == TCommType::MQTT) {
        TellConnectionEnded(false);
        return;
    }
    if (Settings.CommType != TCommType::TCPIP)
        return;
    if (!TellConnectionEnded(false))
        return;
    OfferReconnect(kRemoteCloseText);
}

// False when the listener closed or destroyed the device: nothing more is offered then.
bool TKavendorComm::TellConnectionEnded(bool failed)
{
    const QPointer<TKavendorComm> alive(this);
    emit connectionEnded(failed);
    return alive && !Closing;
}

// The question is asked once the channel's own notification has returned: its box runs an event loop
// in which the channel may be replaced. A failure while a question is pending asks nothing more.
void TKavendorComm::OfferReconnect(const QString& text)
{
    if (Settings.TCPIP_AutoReconnect) {
        ReconnectTimer.start(m_autoReconnectInterval);
        setChannelState(ChannelState::WaitingToReconnect);
        return;
    }
    if (m_questionPending)
        return;
    m_questionPending = true;
    QTimer::singleShot(0, this, [this, text] { AskToReconnect(text); });
}

void TKavendorComm::AskToReconnect(const QString& text)
{
    if (!ReconnectWanted() || !m_prompts) {
        m_questionPending = false;
        return;
    }
    const QPointer<TKavendorComm> alive(this);
    const bool yes = m_prompts->AskYesNo(text);
    if (!alive)
        return;
    m_questionPending = false;
    if (yes && ReconnectWanted()) {
        ReconnectTimer.start(kReconnectDelay);
        setChannelState(ChannelState::WaitingToReconnect);
    }
}

// Still worth a reconnect: not closed by us since, and the channel has not been replaced by a working one.
bool TKavendorComm::ReconnectWanted() const
{
    return !Closing && Communication() && !Communication()->IsOpen();
}

void TKavendorComm::ShowWarning(const QString& text)
{
    // A serial port that failed in use may be gone for good.
    if (Communication() && !Communication()->IsOpen())
        setChannelState(ChannelState::Disconnected);
    QTimer::singleShot(0, this, [this, text] {
        if (m_prompts)
            m_prompts->Warn(text);
    });
}

} // namespace kav
