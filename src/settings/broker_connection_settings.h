#pragma once

#include <QString>

namespace kav {

// How to reach an MQTT broker; the publisher (Kavendor.ini) and the MQTT feed channel
// (communication.ini) each keep one.
struct BrokerConnectionSettings {
    static constexpr int kDefaultPort = 1883;
    static constexpr int kDefaultKeepAliveSeconds = 30;
    static constexpr int kMinKeepAliveSeconds = 5; // the client library refuses less

    QString host;
    int port = kDefaultPort;
    QString clientId; // empty: one made from the program and the machine
    int keepAliveSeconds = kDefaultKeepAliveSeconds;
    QString userName; // empty: no login
    QString password;
    bool useTls = false;
    QString caFile; // with TLS: the certificate authority file; empty: the system's certificates

    bool operator==(const BrokerConnectionSettings&) const = default;
};

// What the MQTT feed channel subscribes to: the broker and the topic prefix the publisher uses. The
// prefix may hold '+' to follow whichever run is published.
struct MqttFeedSettings {
    static constexpr const char* kDefaultTopic = "kavendor/+";

    BrokerConnectionSettings connection;
    QString topic = QString::fromLatin1(kDefaultTopic);

    bool operator==(const MqttFeedSettings&) const = default;
};

// A message for the operator naming the first thing that makes the settings unusable, or an empty
// text when they can be used.
QString checkBrokerConnection(const BrokerConnectionSettings& settings);

// The same for a topic prefix: not empty, no '#', no empty level; '+' only where wildcards are allowed
// and then as a whole level.
QString checkTopicPrefix(const QString& prefix, bool wildcardsAllowed);

} // namespace kav
