#pragma once

#include <QString>

#include "communication_settings.h"

namespace kav {

// Reads "Communication.ini". A missing file, or one whose channel kind is not exactly "RS232" or
// "TCPIP", gives the default channel: RS232, port 1, 9600 baud, "localhost", 50000. A TCP port outside
// 1 to 65535 is read as 0, no port, and described in problems when given.
CommunicationSettings loadCommunicationSettings(const QString& fileName, QString* problems = nullptr);

// Writes the file anew from the settings alone; the optional keys only when they are set. Throws the
// settings file's FileWriteError when the file cannot be replaced, which then keeps its old content.
void saveCommunicationSettings(const QString& fileName, const CommunicationSettings& settings);

} // namespace kav
