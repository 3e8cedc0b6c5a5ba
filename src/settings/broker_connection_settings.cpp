#include "broker_connection_settings.h"

#include <QFile>
#include <QFileInfo>

namespace kav {
namespace {

constexpr int kMaxPort = 65535;
constexpr int kMaxKeepAliveSeconds = 65535;
constexpr int kMaxTextLength = 65535; // every text travels with a 16-bit length

QString checkTls(const BrokerConnectionSettings& settings)
{
    if (!settings.useTls || settings.caFile.isEmpty())
        return {};
    QFile file(settings.caFile);
    if (QFileInfo(settings.caFile).isDir() || !file.open(QIODevice::ReadOnly))
        return QStringLiteral("The CA file \"%1\" cannot be read.").arg(settings.caFile);
    return {};
}

} // namespace

QString checkBrokerConnection(const BrokerConnectionSettings& settings)
{
    if (settings.host.trimmed().isEmpty())
        return QStringLiteral("No broker host is set.");
    if (settings.port < 1 || settings.port > kMaxPort)
        return QStringLiteral("The broker port must be a number from 1 to %1.").arg(kMaxPort);
    if (settings.keepAliveSeconds < BrokerConnectionSettings::kMinKeepAliveSeconds ||
        settings.keepAliveSeconds > kMaxKeepAliveSeconds)
        return QStringLiteral("The keep-alive must be from %1 to %2 seconds.")
            .arg(BrokerConnectionSettings::kMinKeepAliveSeconds)
            .arg(kMaxKeepAliveSeconds);
    if (settings.userName.isEmpty() && !settings.password.isEmpty())
        return QStringLiteral("A password needs a user name.");
    for (const QString* text : {&settings.host, &settings.clientId, &settings.userName, &settings.password}) {
        if (text->toUtf8().size() > kMaxTextLength)
            return QStringLiteral("A broker setting is longer than %1 bytes.").arg(kMaxTextLength);
    }
    return checkTls(settings);
}

QString checkTopicPrefix(const QString& prefix, bool wildcardsAllowed)
{
    if (prefix.isEmpty())
        return QStringLiteral("No topic is set.");
    if (prefix.startsWith(u'$'))
        return QStringLiteral("The topic \"%1\" must not start with '$'.").arg(prefix);
    if (prefix.contains(u'#'))
        return QStringLiteral("The topic \"%1\" must not hold '#'.").arg(prefix);
    for (const QString& level : prefix.split(u'/')) {
        if (level.isEmpty())
            return QStringLiteral("The topic \"%1\" has an empty level.").arg(prefix);
        if (level.contains(u'+') && (!wildcardsAllowed || level != QLatin1String("+")))
            return wildcardsAllowed
                       ? QStringLiteral("In the topic \"%1\" '+' must stand alone between '/'.").arg(prefix)
                       : QStringLiteral("The topic \"%1\" must not hold '+'.").arg(prefix);
    }
    return {};
}

} // namespace kav
