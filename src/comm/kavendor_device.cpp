#include "kavendor_device.h"

#include <QPointer>

#include "client_socket_communication.h"
#include "communication_prompts.h"
#include "communication_settings_file.h"
#include "serial_communication.h"

namespace kav {
namespace {

const QString kFailedText =
    QStringLiteral("Failed to open TCP/IP connection,\ror connection has been remotely closed.\r\rTry to reconnect?");
const QString kRemoteCloseText = QStringLiteral("Connection has been remotely closed.\r\rTry to reconnect?");

} // namespace

KavendorDevice::KavendorDevice(QObject* parent) : Device(parent)
{
    ReconnectTimer.setSingleShot(true);
    ReconnectTimer.setInterval(kReconnectDelay);
    connect(&ReconnectTimer, &QTimer::timeout, this, [this] { open(); });
}

KavendorDevice::~KavendorDevice()
{
    ReconnectTimer.stop();
}

void KavendorDevice::open()
{
    close();
    if (auto channel = makeChannel()) {
        Communication& installed = *channel;
        setCommunication(std::move(channel));
        connectHandlers(installed);
        setChannelState(ChannelState::Connecting);
        Device::open();
        // A serial port that could not be opened says nothing.
        if (m_channelState == ChannelState::Connecting && !installed.isOpen())
            setChannelState(ChannelState::Disconnected);
    }
    Closing = false;
}

// Our own close never asks, and cancels a reconnect that was still to come.
void KavendorDevice::close()
{
    Closing = true;
    ReconnectTimer.stop();
    Device::close();
    setCommunication(nullptr);
    setChannelState(ChannelState::Disconnected);
}

void KavendorDevice::setChannelState(ChannelState state)
{
    if (state == m_channelState)
        return;
    m_channelState = state;
    emit channelStateChanged(state);
}

void KavendorDevice::loadSettingsAndOpen()
{
    QString problem;
    Settings = loadCommunicationSettings(ProgramDir + QLatin1String(kFileName), &problem);
    open();
    if (!problem.isEmpty())
        showWarning(problem);
}

void KavendorDevice::saveSettings() const
{
    saveCommunicationSettings(ProgramDir + QLatin1String(kFileName), Settings);
}

std::unique_ptr<Communication> KavendorDevice::makeChannel() const
{
    switch (Settings.CommType) {
    case CommunicationType::RS232: return makeSerialChannel();
    case CommunicationType::TCPIP: return makeTcpChannel();
    case CommunicationType::MQTT: return m_mqttChannelMaker ? m_mqttChannelMaker(Settings) : nullptr;
    default: return nullptr;
    }
}

std::unique_ptr<Communication> KavendorDevice::makeSerialChannel() const
{
    auto channel = std::make_unique<SerialCommunication>();
    channel->port().Settings.PortNumber = Settings.S_Port;
    channel->port().Settings.Baudrate = Settings.S_Baudrate;
    channel->port().Settings.DevicePath = Settings.S_Device;
    return channel;
}

// Without a usable port (one read from a damaged file) there is nothing to connect to.
std::unique_ptr<Communication> KavendorDevice::makeTcpChannel() const
{
    if (Settings.TCPIP_Port == 0)
        return nullptr;
    auto channel = std::make_unique<ClientSocketCommunication>();
    channel->setHost(Settings.TCPIP_Addr);
    channel->setPort(Settings.TCPIP_Port);
    if (Settings.TCPIP_AutoReconnect)
        channel->setSilenceTimeout(std::chrono::seconds(Settings.TCPIP_SilenceTimeout));
    return channel;
}

void KavendorDevice::connectHandlers(Communication& channel)
{
    connect(&channel, &Communication::opened, this, [this] { setChannelState(ChannelState::Connected); });
    connect(&channel, &Communication::connectionFailed, this, &KavendorDevice::handleFailedConnection);
    connect(&channel, &Communication::warningRaised, this, &KavendorDevice::showWarning);
}

// The MQTT channel retries by itself; its listener only hears that no broker could be reached, or that
// the publisher ended its session.
void KavendorDevice::handleFailedConnection()
{
    setChannelState(ChannelState::Disconnected);
    if (Settings.CommType == CommunicationType::MQTT) {
        tellConnectionEnded(true);
        return;
    }
    if (Settings.CommType != CommunicationType::TCPIP)
        return;
    if (!tellConnectionEnded(true))
        return;
    offerReconnect(kFailedText);
}

void KavendorDevice::channelClosed()
{
    if (Closing)
        return;
    setChannelState(ChannelState::Disconnected);
    if (Settings.CommType == CommunicationType::MQTT) {
        tellConnectionEnded(false);
        return;
    }
    if (Settings.CommType != CommunicationType::TCPIP)
        return;
    if (!tellConnectionEnded(false))
        return;
    offerReconnect(kRemoteCloseText);
}

// False when the listener closed or destroyed the device: nothing more is offered then.
bool KavendorDevice::tellConnectionEnded(bool failed)
{
    const QPointer<KavendorDevice> alive(this);
    emit connectionEnded(failed);
    return alive && !Closing;
}

// The question is asked once the channel's own notification has returned: its box runs an event loop
// in which the channel may be replaced. A failure while a question is pending asks nothing more.
void KavendorDevice::offerReconnect(const QString& text)
{
    if (Settings.TCPIP_AutoReconnect) {
        ReconnectTimer.start(m_autoReconnectInterval);
        setChannelState(ChannelState::WaitingToReconnect);
        return;
    }
    if (m_questionPending)
        return;
    m_questionPending = true;
    QTimer::singleShot(0, this, [this, text] { askToReconnect(text); });
}

void KavendorDevice::askToReconnect(const QString& text)
{
    if (!reconnectWanted() || !m_prompts) {
        m_questionPending = false;
        return;
    }
    const QPointer<KavendorDevice> alive(this);
    const bool yes = m_prompts->askYesNo(text);
    if (!alive)
        return;
    m_questionPending = false;
    if (yes && reconnectWanted()) {
        ReconnectTimer.start(kReconnectDelay);
        setChannelState(ChannelState::WaitingToReconnect);
    }
}

// Still worth a reconnect: not closed by us since, and the channel has not been replaced by a working one.
bool KavendorDevice::reconnectWanted() const
{
    return !Closing && communication() && !communication()->isOpen();
}

void KavendorDevice::showWarning(const QString& text)
{
    // A serial port that failed in use may be gone for good.
    if (communication() && !communication()->isOpen())
        setChannelState(ChannelState::Disconnected);
    QTimer::singleShot(0, this, [this, text] {
        if (m_prompts)
            m_prompts->warn(text);
    });
}

} // namespace kav
