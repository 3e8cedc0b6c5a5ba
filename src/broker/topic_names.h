#pragma once

#include <QByteArray>
#include <QString>

namespace kav {

// The topics under a publisher's prefix.
namespace topic {
inline constexpr const char* kFeed = "feed";       // every received line, in order
inline constexpr const char* kEvents = "events";   // each new race event once, as a JSON object
inline constexpr const char* kBurst = "burst";     // retained: the whole state as feed lines
inline constexpr const char* kHistory = "history"; // retained, one a chunk ("history/0", ...): every line sent
inline constexpr const char* kState = "state";     // retained: the state document
inline constexpr const char* kFlag = "flag";       // retained: red, yellow, green or finish
inline constexpr const char* kRun = "run";         // retained: the run's name
inline constexpr const char* kInfo = "info";       // retained: the general information values
inline constexpr const char* kStatus = "status";   // retained: online, offline or lost
inline constexpr const char* kOnline = "online";
inline constexpr const char* kOffline = "offline"; // the publisher ended its session
inline constexpr const char* kLost = "lost";       // the broker's will: the publisher's connection died
} // namespace topic

// A run name as one topic level: lower case, letters and digits kept, every other run of characters
// one '-'; "no-run" when nothing is left.
QString topicLevelOf(const QString& runName);
// The prefix used when the operator sets none: "kavendor/" and the run name as a topic level.
QString automaticTopicPrefix(const QString& runName);
// prefix + '/' + name, as the client library takes it.
QByteArray topicOf(const QString& prefix, const char* name);
// The topic of the history chunk numbered index; -1 for all of them, as a subscription.
QByteArray historyTopicOf(const QString& prefix, int index);
// The chunk number of a history topic; -1 when the topic is not one.
int historyChunkOf(const QByteArray& topic);

} // namespace kav
