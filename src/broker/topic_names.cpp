#include "topic_names.h"

namespace kav {
namespace {

constexpr qsizetype kMaxLevelLength = 64;

} // namespace

QString topicLevelOf(const QString& runName)
{
    QString level;
    for (const QChar c : runName.toLower()) {
        if (c.isLetterOrNumber())
            level += c;
        else if (!level.isEmpty() && !level.endsWith(u'-'))
            level += u'-';
    }
    level.truncate(kMaxLevelLength);
    while (level.endsWith(u'-'))
        level.chop(1);
    return level.isEmpty() ? QStringLiteral("no-run") : level;
}

QString automaticTopicPrefix(const QString& runName)
{
    return QStringLiteral("kavendor/") + topicLevelOf(runName);
}

QByteArray topicOf(const QString& prefix, const char* name)
{
    return prefix.toUtf8() + '/' + name;
}

} // namespace kav
