#pragma once

#include <QString>

#include <cstdint>

#include "broker_connection_settings.h"
#include "communication_type.h"

namespace kav {

// The channel settings the device is built from, as "Communication.ini" keeps them.
struct CommunicationSettings {
    static constexpr int kDefaultSilenceTimeout = 30; // seconds; the feed's heartbeat comes every second

    CommunicationType CommType = CommunicationType::RS232;
    std::uint8_t S_Port = 1;
    std::int32_t S_Baudrate = 9600;
    QString S_Device; // a device path that replaces the port number when set
    QString TCPIP_Addr = QStringLiteral("localhost");
    std::uint16_t TCPIP_Port = 50000;
    bool TCPIP_AutoReconnect = false; // retry without asking, for unattended screens
    std::int32_t TCPIP_SilenceTimeout = kDefaultSilenceTimeout;
    MqttFeedSettings mqtt; // section "Communication\MQTT", written only when used

    bool operator==(const CommunicationSettings&) const = default;
};

} // namespace kav
