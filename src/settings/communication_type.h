#pragma once

#include <cstdint>

namespace kav {

// The channel kind; the numbers are those the settings have always used.
enum class CommunicationType : std::uint8_t {
    None = 0,
    RS232 = 1,
    TCPIP = 3,
    MQTT = 4, // the feed taken from an MQTT broker
};

} // namespace kav
