#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "clock.h"
#include "code_lists.h"
#include "kavendor_device.h"
#include "program_settings.h"
#include "qstring_printer.h"

namespace kav {

// The settings, clock and device both harnesses feed lines through, set as the program's tests expect.
struct FedDevice {
    FedDevice()
    {
        Settings.change([](MainSettings& settings) {
            settings.TrackLength = 4000;
            settings.SpeedDecimals = 2;
        });
    }

    // One line, given its LF and received by the device.
    void feedLines(const std::string& line) { Device.receiveBytes(QByteArray::fromStdString(line + "\n")); }
    void feedLines(std::initializer_list<std::string> lines)
    {
        for (const std::string& line : lines)
            feedLines(line);
    }
    static std::vector<std::uint8_t> allColumns()
    {
        std::vector<std::uint8_t> columns(kColumnIds);
        for (std::uint8_t id = 0; id < kColumnIds; ++id)
            columns[id] = id;
        return columns;
    }

    ProgramSettings Settings;
    ManualClock Clock;
    KavendorDevice Device;
};

} // namespace kav
