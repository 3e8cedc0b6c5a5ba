#include "channel_status_title.h"

#include <QFileInfo>
#include <QWidget>

#include "kavendor_device.h"
#include "serial_port_settings.h"

namespace kav {
namespace {

QString channelName(const CommunicationSettings& settings)
{
    if (settings.CommType == CommunicationType::TCPIP)
        return QStringLiteral("%1:%2").arg(settings.TCPIP_Addr).arg(settings.TCPIP_Port);
    SerialPortSettings port;
    port.PortNumber = settings.S_Port;
    port.DevicePath = settings.S_Device;
    return serialDeviceName(port);
}

} // namespace

ChannelStatusTitle::ChannelStatusTitle(QWidget& window, const QString& caption)
    : QObject(&window), m_window(window), m_caption(caption)
{
}

void ChannelStatusTitle::watch(KavendorDevice& device)
{
    const auto show = [this, &device](ChannelState state) { showStatus(statusText(state, device.Settings)); };
    connect(&device, &KavendorDevice::channelStateChanged, this, show);
    show(device.channelState());
}

void ChannelStatusTitle::showReplay(const QString& file)
{
    showStatus(QStringLiteral("replaying ") + QFileInfo(file).fileName());
}

QString ChannelStatusTitle::statusText(ChannelState state, const CommunicationSettings& settings)
{
    if (settings.CommType == CommunicationType::None)
        return QStringLiteral("no connection chosen");
    const QString name = channelName(settings);
    switch (state) {
    case ChannelState::Connecting: return QStringLiteral("connecting to ") + name;
    case ChannelState::Connected: return QStringLiteral("connected to ") + name;
    case ChannelState::WaitingToReconnect: return QStringLiteral("waiting to reconnect to ") + name;
    case ChannelState::Disconnected: break;
    }
    return QStringLiteral("disconnected from ") + name;
}

void ChannelStatusTitle::showStatus(const QString& status)
{
    m_window.setWindowTitle(m_caption + QStringLiteral(" - ") + status);
}

} // namespace kav
