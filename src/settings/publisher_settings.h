#pragma once

#include <QString>

#include <optional>

#include "broker_connection_settings.h"

namespace kav {

// What the program publishes to a broker, as section "Broker" of Kavendor.ini keeps it. Off unless
// the operator turns it on.
struct PublisherSettings {
    static constexpr const char* kSection = "Broker";

    bool enabled = false;
    BrokerConnectionSettings connection;
    QString topicPrefix; // empty: "kavendor/" and the run's name

    bool operator==(const PublisherSettings&) const = default;
};

// The section's values; missing keys read as the defaults. Never fails: a missing file is all defaults.
PublisherSettings readPublisherSettings(const QString& iniFile);
// Replaces only the section's keys; throws the settings file's FileWriteError when it cannot write.
void writePublisherSettings(const QString& iniFile, const PublisherSettings& settings);

// A message naming what is wrong with settings that are to be used, or empty. Settings that are off
// are never wrong.
QString checkPublisherSettings(const PublisherSettings& settings);

// "HOST" or "HOST:PORT" ("[::1]:1883" for an IPv6 address) as given to --mqtt; nothing when it is not
// such a text or the port is not 1 to 65535.
std::optional<std::pair<QString, int>> parseHostAndPort(const QString& text);

} // namespace kav
