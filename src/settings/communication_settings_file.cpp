#include "communication_settings_file.h"

#include <filesystem>
#include <string>

#include "file_errors.h"
#include "record_file.h"

namespace kav {
namespace {

constexpr const char* kMainSection = "Communication";
constexpr const char* kSerialSection = "Communication\\Serial";
constexpr const char* kTcpSection = "Communication\\TCPIP";
constexpr const char* kMqttSection = "Communication\\MQTT";

std::filesystem::path pathOf(const QString& fileName)
{
    return std::filesystem::path(fileName.toStdU16String());
}

CommunicationType communicationTypeOf(const std::string& text)
{
    if (text == "RS232")
        return CommunicationType::RS232;
    if (text == "TCPIP")
        return CommunicationType::TCPIP;
    if (text == "MQTT")
        return CommunicationType::MQTT;
    return CommunicationType::None;
}

const char* communicationTypeText(CommunicationType type)
{
    switch (type) {
    case CommunicationType::RS232: return "RS232";
    case CommunicationType::TCPIP: return "TCPIP";
    case CommunicationType::MQTT: return "MQTT";
    default: return "None";
    }
}

QString readText(const RecordFile& file, const char* section, const char* key, const char* defaultValue)
{
    return QString::fromStdString(file.readString(section, key, defaultValue));
}

// A port the file names but no socket can use is not cut to 16 bits, which would reach some other
// program's port: it is no port, and the operator is told.
std::uint16_t readTcpPort(const RecordFile& file, QString* problems)
{
    const std::int32_t port = file.readInteger(kTcpSection, "TCPIP_Port", 50000);
    if (port >= 1 && port <= 65535)
        return static_cast<std::uint16_t>(port);
    if (problems)
        *problems = QStringLiteral("TCPIP_Port=%1 in Communication.ini is not a port number (1 to 65535): no "
                                   "TCP/IP connection is opened until another is chosen.")
                        .arg(port);
    return 0;
}

void readChannel(const RecordFile& file, CommunicationSettings& settings, QString* problems)
{
    settings.CommType = communicationTypeOf(file.readString(kMainSection, "CommType", "None"));
    settings.S_Port = static_cast<std::uint8_t>(file.readInteger(kSerialSection, "S_Port", 1));
    settings.S_Baudrate = file.readInteger(kSerialSection, "S_Baudrate", 9600);
    settings.TCPIP_Addr = readText(file, kTcpSection, "TCPIP_Addr", "localhost");
    settings.TCPIP_Port = readTcpPort(file, problems);
}

// Keys this program added for Linux ports and unattended screens.
void readExtras(const RecordFile& file, CommunicationSettings& settings)
{
    settings.S_Device = readText(file, kSerialSection, "S_Device", "");
    settings.TCPIP_AutoReconnect = file.readInteger(kTcpSection, "TCPIP_AutoReconnect", 0) != 0;
    const auto silence =
        file.readInteger(kTcpSection, "TCPIP_SilenceTimeout", CommunicationSettings::kDefaultSilenceTimeout);
    settings.TCPIP_SilenceTimeout = silence > 0 ? silence : CommunicationSettings::kDefaultSilenceTimeout;
}

// The MQTT feed channel's own section; the other sections keep their keys and meaning.
void readMqtt(const RecordFile& file, MqttFeedSettings& mqtt)
{
    BrokerConnectionSettings& connection = mqtt.connection;
    connection.host = readText(file, kMqttSection, "MQTT_Host", "");
    connection.port = file.readInteger(kMqttSection, "MQTT_Port", BrokerConnectionSettings::kDefaultPort);
    connection.clientId = readText(file, kMqttSection, "MQTT_ClientId", "");
    connection.keepAliveSeconds =
        file.readInteger(kMqttSection, "MQTT_KeepAlive", BrokerConnectionSettings::kDefaultKeepAliveSeconds);
    connection.userName = readText(file, kMqttSection, "MQTT_User", "");
    connection.password = readText(file, kMqttSection, "MQTT_Password", "");
    connection.useTls = file.readInteger(kMqttSection, "MQTT_TLS", 0) != 0;
    connection.caFile = readText(file, kMqttSection, "MQTT_CAFile", "");
    mqtt.topic = readText(file, kMqttSection, "MQTT_Topic", MqttFeedSettings::kDefaultTopic);
}

void writeMqtt(RecordFile& file, const CommunicationSettings& settings)
{
    const MqttFeedSettings& mqtt = settings.mqtt;
    if (settings.CommType != CommunicationType::MQTT && mqtt == MqttFeedSettings())
        return;
    const BrokerConnectionSettings& connection = mqtt.connection;
    file.writeString(kMqttSection, "MQTT_Host", connection.host.toStdString());
    file.writeInteger(kMqttSection, "MQTT_Port", connection.port);
    file.writeString(kMqttSection, "MQTT_Topic", mqtt.topic.toStdString());
    file.writeString(kMqttSection, "MQTT_ClientId", connection.clientId.toStdString());
    file.writeInteger(kMqttSection, "MQTT_KeepAlive", connection.keepAliveSeconds);
    file.writeString(kMqttSection, "MQTT_User", connection.userName.toStdString());
    file.writeString(kMqttSection, "MQTT_Password", connection.password.toStdString());
    file.writeInteger(kMqttSection, "MQTT_TLS", connection.useTls ? 1 : 0);
    file.writeString(kMqttSection, "MQTT_CAFile", connection.caFile.toStdString());
}

void useDefaultChannel(CommunicationSettings& settings)
{
    const CommunicationSettings defaults;
    settings.CommType = defaults.CommType;
    settings.S_Port = defaults.S_Port;
    settings.S_Baudrate = defaults.S_Baudrate;
    settings.TCPIP_Addr = defaults.TCPIP_Addr;
    settings.TCPIP_Port = defaults.TCPIP_Port;
}

void writeExtras(RecordFile& file, const CommunicationSettings& settings)
{
    if (!settings.S_Device.isEmpty())
        file.writeString(kSerialSection, "S_Device", settings.S_Device.toStdString());
    if (settings.TCPIP_AutoReconnect)
        file.writeInteger(kTcpSection, "TCPIP_AutoReconnect", 1);
    if (settings.TCPIP_SilenceTimeout != CommunicationSettings::kDefaultSilenceTimeout)
        file.writeInteger(kTcpSection, "TCPIP_SilenceTimeout", settings.TCPIP_SilenceTimeout);
}

} // namespace

CommunicationSettings loadCommunicationSettings(const QString& fileName, QString* problems)
{
    CommunicationSettings settings;
    settings.CommType = CommunicationType::None;
    try {
        const RecordFile file = RecordFile::open(pathOf(fileName));
        readChannel(file, settings, problems);
        readExtras(file, settings);
        readMqtt(file, settings.mqtt);
    } catch (const RecordFileMissing&) {
        // No file yet: the defaults below apply.
    }
    if (settings.CommType == CommunicationType::None)
        useDefaultChannel(settings);
    return settings;
}

void saveCommunicationSettings(const QString& fileName, const CommunicationSettings& settings)
{
    RecordFile file = RecordFile::createNew(pathOf(fileName));
    file.writeString(kMainSection, "CommType", communicationTypeText(settings.CommType));
    file.writeInteger(kSerialSection, "S_Port", settings.S_Port);
    file.writeInteger(kSerialSection, "S_Baudrate", settings.S_Baudrate);
    file.writeString(kTcpSection, "TCPIP_Addr", settings.TCPIP_Addr.toStdString());
    file.writeInteger(kTcpSection, "TCPIP_Port", settings.TCPIP_Port);
    writeExtras(file, settings);
    writeMqtt(file, settings);
    file.save(settings.mqtt.connection.password.isEmpty() ? FileReaders::AsBefore : FileReaders::OwnerOnly);
}

} // namespace kav
