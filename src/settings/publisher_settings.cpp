#include "publisher_settings.h"

#include <filesystem>

#include "ini_file.h"

namespace kav {
namespace {

constexpr int kMaxPort = 65535;

std::filesystem::path pathOf(const QString& file)
{
    return std::filesystem::path(file.toStdU16String());
}

QString readText(const IniFile& ini, const char* key)
{
    return QString::fromStdString(ini.readString(PublisherSettings::kSection, key, ""));
}

} // namespace

PublisherSettings readPublisherSettings(const QString& iniFile)
{
    const IniFile ini(pathOf(iniFile));
    const char* section = PublisherSettings::kSection;
    PublisherSettings settings;
    BrokerConnectionSettings& connection = settings.connection;
    settings.enabled = ini.readBool(section, "Enabled", false);
    connection.host = readText(ini, "Host");
    connection.port = ini.readInteger(section, "Port", BrokerConnectionSettings::kDefaultPort);
    settings.topicPrefix = readText(ini, "TopicPrefix");
    connection.clientId = readText(ini, "ClientId");
    connection.keepAliveSeconds =
        ini.readInteger(section, "KeepAlive", BrokerConnectionSettings::kDefaultKeepAliveSeconds);
    connection.userName = readText(ini, "User");
    connection.password = readText(ini, "Password");
    connection.useTls = ini.readBool(section, "TLS", false);
    connection.caFile = readText(ini, "CAFile");
    return settings;
}

void writePublisherSettings(const QString& iniFile, const PublisherSettings& settings)
{
    IniFile ini(pathOf(iniFile));
    const char* section = PublisherSettings::kSection;
    const BrokerConnectionSettings& connection = settings.connection;
    ini.writeBool(section, "Enabled", settings.enabled);
    ini.writeString(section, "Host", connection.host.toStdString());
    ini.writeInteger(section, "Port", connection.port);
    ini.writeString(section, "TopicPrefix", settings.topicPrefix.toStdString());
    ini.writeString(section, "ClientId", connection.clientId.toStdString());
    ini.writeInteger(section, "KeepAlive", connection.keepAliveSeconds);
    ini.writeString(section, "User", connection.userName.toStdString());
    ini.writeString(section, "Password", connection.password.toStdString());
    ini.writeBool(section, "TLS", connection.useTls);
    ini.writeString(section, "CAFile", connection.caFile.toStdString());
    ini.commit(connection.password.isEmpty() ? FileReaders::AsBefore : FileReaders::OwnerOnly);
}

QString checkPublisherSettings(const PublisherSettings& settings)
{
    if (!settings.enabled)
        return {};
    const QString problem = checkBrokerConnection(settings.connection);
    if (!problem.isEmpty() || settings.topicPrefix.isEmpty())
        return problem;
    return checkTopicPrefix(settings.topicPrefix, false);
}

std::optional<std::pair<QString, int>> parseHostAndPort(const QString& text)
{
    QString host = text;
    QString port;
    const qsizetype bracket = text.indexOf(u']');
    if (text.startsWith(u'[') && bracket > 1) {
        host = text.mid(1, bracket - 1);
        const QString rest = text.mid(bracket + 1);
        if (!rest.isEmpty() && !rest.startsWith(u':'))
            return std::nullopt;
        port = rest.mid(1);
        if (rest.startsWith(u':') && port.isEmpty())
            return std::nullopt;
    } else if (text.count(u':') == 1) {
        host = text.section(u':', 0, 0);
        port = text.section(u':', 1);
        if (port.isEmpty())
            return std::nullopt;
    }
    if (host.trimmed().isEmpty())
        return std::nullopt;
    if (port.isEmpty())
        return std::pair(host, BrokerConnectionSettings::kDefaultPort);
    bool ok = false;
    const int number = port.toInt(&ok);
    if (!ok || number < 1 || number > kMaxPort)
        return std::nullopt;
    return std::pair(host, number);
}

} // namespace kav
