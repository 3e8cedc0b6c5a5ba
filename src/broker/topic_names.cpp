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

QByteArray historyTopicOf(const QString& prefix, int index)
{
    return topicOf(prefix, topic::kHistory) + '/' + (index < 0 ? QByteArray("+") : QByteArray::number(index));
}

int historyChunkOf(const QByteArray& topic)
{
    const qsizetype slash = topic.lastIndexOf('/');
    const QByteArray level = QByteArray("/") + topic::kHistory + '/';
    if (slash < 0 || topic.mid(slash - level.size() + 1, level.size()) != level)
        return -1;
    bool ok = false;
    const int index = topic.mid(slash + 1).toInt(&ok);
    return ok && index >= 0 ? index : -1;
}

} // namespace kav
