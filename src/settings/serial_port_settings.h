#pragma once

#include <QString>

#include <cstdint>

namespace kav {

enum class SerialParity : std::uint8_t { none, even, odd, mark, space };

// How the serial line is set up. The program sets only the port and the baud rate, so the line is
// always 8 data bits, no parity, one stop bit.
struct SerialPortSettings {
    std::int32_t PortNumber = 1;
    std::int32_t Baudrate = 9600;
    std::uint8_t DataBits = 8;
    std::uint8_t StopBits = 0; // 0 one, 1 one and a half, 2 two
    SerialParity Parity = SerialParity::none;
    QString DevicePath; // when set, opened instead of the numbered port

    bool operator==(const SerialPortSettings&) const = default;
};

// The device the settings open: the device path when set; otherwise port n is "COMn" on Windows and
// "/dev/ttyS(n-1)" elsewhere.
QString serialDeviceName(const SerialPortSettings& settings);

} // namespace kav
