#pragma once

#include <QString>

#include <functional>
#include <memory>

#include "clock.h"
#include "communication.h"
#include "communication_settings.h"

namespace kav {

// How the main window is started: where its files live and what it may touch.
struct MainWindowOptions {
    // Folder of "Kavendor.ini" and "Communication.ini", with its trailing separator.
    QString ConfigDir;
    // Folder of the program file, where the user manual lies, with its trailing separator.
    QString ProgramDir;
    // Open the configured channel (off while a recorded feed is replayed, and in tests).
    bool UseChannel = true;
    // Read and write "Kavendor.ini" and "Communication.ini".
    bool UseSettingsFiles = true;
    // A layout to open at start instead of the one named in "Kavendor.ini".
    QString Layout;
    // The recorded feed replayed instead of the channel, for the window's title.
    QString ReplayFile;
    // The time of day for passings; the system clock when unset.
    const ClockSource* Clock = nullptr;
    // Builds the device's MQTT feed channel (BrokerLink::feedChannelMaker); none: that kind opens nothing.
    std::function<std::unique_ptr<Communication>(const CommunicationSettings&)> MqttChannelMaker;
};

} // namespace kav
