#include "comm_settings_file.h"

#include <filesystem>
#include <string>

#include "file_errors.h"
#include "rec_file.h"

namespace kav {
namespace {

constexpr const char* kMainSection = "Communication";
constexpr const char* kSerialSection = "Communication\\Serial";
constexpr const char* kTcpSection = "Communication\\TCPIP";
constexpr const char* kMqttSection = "Communication\\MQTT";

std::filesystem::path PathOf(const QString& fileName)
{
    return std::filesystem::path(fileName.toStdU16String());
}

TCommType CommTypeOf(const std::string& text)
{
    if (text == "RS232")
        return TCommType::RS232;
    if (text == "TCPIP")
        return TCommType::TCPIP;
    if (text == "MQTT")
        return TCommType::MQTT;
    return TCommType::None;
}

const char* CommTypeText(TCommType type)
{
    switch (type) {
    case TCommType::RS232: return "RS232";
    case TCommType::TCPIP: return "TCPIP";
    case TCommType::MQTT: return "MQTT";
    default: return "None";
    }
}

QString ReadText(const TRecFile& file, const char* section, const char* key, const char* defaultValue)
{
    return QString::fromStdString(file.ReadString(section, key, defaultValue));
}

void ReadChannel(const TRecFile& file, TCommSettings& settings)
{
    settings.CommType = CommTypeOf(file.ReadString(kMainSection, "CommType", "None"));
    settings.S_Port = static_cast<std::uint8_t>(file.ReadInteger(kSerialSection, "S_Port", 1));
    settings.S_Baudrate = file.ReadInteger(kSerialSection, "S_Baudrate", 9600);
    settings.TCPIP_Addr = ReadText(file, kTcpSection, "TCPIP_Addr", "localhost");
    settings.TCPIP_Port = static_cast<std::uint16_t>(file.ReadInteger(kTcpSection, "TCPIP_Port", 50000));
}

// Keys this program added for Linux ports and unattended screens.
void ReadExtras(const TRecFile& file, TCommSettings& settings)
{
    settings.S_Device = ReadText(file, kSerialSection, "S_Device", "");
    settings.TCPIP_AutoReconnect = file.ReadInteger(kTcpSection, "TCPIP_AutoReconnect", 0) != 0;
    const auto silence = file.ReadInteger(kTcpSection, "TCPIP_SilenceTimeout", TCommSettings::kDefaultSilenceTimeout);
    settings.TCPIP_SilenceTimeout = silence > 0 ? silence : TCommSettings::kDefaultSilenceTimeout;
}

// The MQTT feed channel's own section; the other sections keep their keys and meaning.
void ReadMqtt(const TRecFile& file, MqttFeedSettings& mqtt)
{
    BrokerConnectionSettings& connection = mqtt.connection;
    connection.host = ReadText(file, kMqttSection, "MQTT_Host", "");
    connection.port = file.ReadInteger(kMqttSection, "MQTT_Port", BrokerConnectionSettings::kDefaultPort);
    connection.clientId = ReadText(file, kMqttSection, "MQTT_ClientId", "");
    connection.keepAliveSeconds =
        file.ReadInteger(kMqttSection, "MQTT_KeepAlive", BrokerConnectionSettings::kDefaultKeepAliveSeconds);
    connection.userName = ReadText(file, kMqttSection, "MQTT_User", "");
    connection.password = ReadText(file, kMqttSection, "MQTT_Password", "");
    connection.useTls = file.ReadInteger(kMqttSection, "MQTT_TLS", 0) != 0;
    connection.caFile = ReadText(file, kMqttSection, "MQTT_CAFile", "");
    mqtt.topic = ReadText(file, kMqttSection, "MQTT_Topic", MqttFeedSettings::kDefaultTopic);
}

void WriteMqtt(TRecFile& file, const TCommSettings& settings)
{
    const MqttFeedSettings& mqtt = settings.mqtt;
    if (settings.CommType != TCommType::MQTT && mqtt == MqttFeedSettings())
        return;
    const BrokerConnectionSettings& connection = mqtt.connection;
    file.WriteString(kMqttSection, "MQTT_Host", connection.host.toStdString());
    file.WriteInteger(kMqttSection, "MQTT_Port", connection.port);
    file.WriteString(kMqttSection, "MQTT_Topic", mqtt.topic.toStdString());
    file.WriteString(kMqttSection, "MQTT_ClientId", connection.clientId.toStdString());
    file.WriteInteger(kMqttSection, "MQTT_KeepAlive", connection.keepAliveSeconds);
    file.WriteString(kMqttSection, "MQTT_User", connection.userName.toStdString());
    file.WriteString(kMqttSection, "MQTT_Password", connection.password.toStdString());
    file.WriteInteger(kMqttSection, "MQTT_TLS", connection.useTls ? 1 : 0);
    file.WriteString(kMqttSection, "MQTT_CAFile", connection.caFile.toStdString());
}

void UseDefaultChannel(TCommSettings& settings)
{
    const TCommSettings defaults;
    settings.CommType = defaults.CommType;
    settings.S_Port = defaults.S_Port;
    settings.S_Baudrate = defaults.S_Baudrate;
    settings.TCPIP_Addr = defaults.TCPIP_Addr;
    settings.TCPIP_Port = defaults.TCPIP_Port;
}

void WriteExtras(TRecFile& file, const TCommSettings& settings)
{
    if (!settings.S_Device.isEmpty())
        file.WriteString(kSerialSection, "S_Device", settings.S_Device.toStdString());
    if (settings.TCPIP_AutoReconnect)
        file.WriteInteger(kTcpSection, "TCPIP_AutoReconnect", 1);
    if (settings.TCPIP_SilenceTimeout != TCommSettings::kDefaultSilenceTimeout)
        file.WriteInteger(kTcpSection, "TCPIP_SilenceTimeout", settings.TCPIP_SilenceTimeout);
}

} // namespace

TCommSettings LoadCommSettings(const QString& fileName)
{
    TCommSettings settings;
    settings.CommType = TCommType::None;
    try {
        const TRecFile file = TRecFile::Open(PathOf(fileName));
        ReadChannel(file, settings);
        ReadExtras(file, settings);
        ReadMqtt(file, settings.mqtt);
    } catch (const ERecFileNotExists&) {
        // No file yet: the defaults below apply.
    }
    if (settings.CommType == TCommType::None)
        UseDefaultChannel(settings);
    return settings;
}

void SaveCommSettings(const QString& fileName, const TCommSettings& settings)
{
    TRecFile file = TRecFile::CreateNew(PathOf(fileName));
    file.WriteString(kMainSection, "CommType", CommTypeText(settings.CommType));
    file.WriteInteger(kSerialSection, "S_Port", settings.S_Port);
    file.WriteInteger(kSerialSection, "S_Baudrate", settings.S_Baudrate);
    file.WriteString(kTcpSection, "TCPIP_Addr", settings.TCPIP_Addr.toStdString());
    file.WriteInteger(kTcpSection, "TCPIP_Port", settings.TCPIP_Port);
    WriteExtras(file, settings);
    WriteMqtt(file, settings);
    file.Save();
}

} // namespace kav
