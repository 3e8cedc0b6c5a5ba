#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "comm_settings_file.h"
#include "publisher_settings.h"
#include "topic_names.h"

namespace kav {
namespace {

// The settings dialogs' tests cover a missing host, a wrong port and an unreadable CA file.
TEST(ConnectionCheck, NamesWhatMakesTheSettingsUnusable)
{
    const auto problem = [](auto change) {
        BrokerConnectionSettings settings;
        settings.host = QStringLiteral("broker.local");
        change(settings);
        return checkBrokerConnection(settings).toStdString();
    };
    EXPECT_EQ(problem([](auto& s) { s.host = QStringLiteral("  "); }), "No broker host is set.");
    EXPECT_EQ(problem([](auto& s) { s.port = 65536; }), "The broker port must be a number from 1 to 65535.");
    EXPECT_EQ(problem([](auto& s) { s.keepAliveSeconds = 4; }), "The keep-alive must be from 5 to 65535 seconds.");
    EXPECT_EQ(problem([](auto& s) { s.password = QStringLiteral("x"); }), "A password needs a user name.");
    EXPECT_EQ(problem([](auto& s) { s.caFile = QStringLiteral("/nonexistent/ca.crt"); }), ""); // without TLS
    EXPECT_EQ(problem([](auto& s) { s.userName = QStringLiteral("track"); }), "");
}

TEST(TopicPrefixCheck, RefusesWhatNoBrokerWouldRouteAndWildcardsWhereTheyMeanNothing)
{
    const struct {
        const char* prefix;
        bool wildcards;
        bool usable;
    } cases[] = {{"kavendor/track", false, true}, {"", false, false},           {"kavendor/#", true, false},
                 {"kavendor//x", false, false},   {"$SYS/x", false, false},     {"kavendor/+", false, false},
                 {"kavendor/+", true, true},      {"kavendor/a+b", true, false}};
    for (const auto& row : cases)
        EXPECT_EQ(checkTopicPrefix(QString::fromUtf8(row.prefix), row.wildcards).isEmpty(), row.usable)
            << row.prefix << (row.wildcards ? " with wildcards" : "");
}

TEST(HostAndPort, ReadsTheCommandLineForms)
{
    const auto read = [](const char* text) {
        const auto result = parseHostAndPort(QString::fromUtf8(text));
        return result ? QStringLiteral("%1 %2").arg(result->first).arg(result->second).toStdString() : "none";
    };
    EXPECT_EQ(read("broker"), "broker 1883");
    EXPECT_EQ(read("broker:1884"), "broker 1884");
    EXPECT_EQ(read("[::1]:1885"), "::1 1885");
    EXPECT_EQ(read("::1"), "::1 1883");
    for (const char* wrong : {"broker:0", "broker:70000", "broker:", ":1883", "broker:x", "[::1]1883"})
        EXPECT_EQ(read(wrong), "none") << wrong;
}

TEST(TopicLevel, MakesARunNameSafeForATopic)
{
    EXPECT_EQ(topicLevelOf(QStringLiteral("Race 1 - Brenmoor Cup")), QStringLiteral("race-1-brenmoor-cup"));
    EXPECT_EQ(topicLevelOf(QStringLiteral("Ødegaard/Cup #2+")), QStringLiteral("ødegaard-cup-2"));
    EXPECT_EQ(topicLevelOf(QStringLiteral(" +#/ ")), QStringLiteral("no-run"));
    EXPECT_EQ(automaticTopicPrefix(QString()), QStringLiteral("kavendor/no-run"));
}

TEST(PublisherSettingsFile, KeepsItsOwnSectionBesideTheProgramsSettings)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("Kavendor.ini"));
    QFile ini(file);
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[MainWin]\r\nMarkerDelay=7\r\n");
    ini.close();
    EXPECT_EQ(readPublisherSettings(file), PublisherSettings());
    PublisherSettings settings;
    settings.enabled = true;
    settings.connection = {QStringLiteral("10.0.0.5"),
                           8883,
                           QStringLiteral("track-pc"),
                           20,
                           QStringLiteral("pub"),
                           QStringLiteral("secret"),
                           true,
                           dir.filePath(QStringLiteral("ca.crt"))};
    settings.topicPrefix = QStringLiteral("brenmoor/results");
    writePublisherSettings(file, settings);
    EXPECT_EQ(readPublisherSettings(file), settings);
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    EXPECT_TRUE(ini.readAll().startsWith("[MainWin]\r\nMarkerDelay=7\r\n"));
}

TEST(CommunicationFile, KeepsTheMqttChannelInItsOwnSectionWrittenOnlyWhenUsed)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("Communication.ini"));
    TCommSettings settings;
    SaveCommSettings(file, settings);
    QFile plain(file);
    ASSERT_TRUE(plain.open(QIODevice::ReadOnly));
    EXPECT_FALSE(plain.readAll().contains("MQTT"));
    settings.CommType = TCommType::MQTT;
    settings.mqtt.connection.host = QStringLiteral("broker.local");
    settings.mqtt.connection.port = 1884;
    settings.mqtt.topic = QStringLiteral("brenmoor/results");
    SaveCommSettings(file, settings);
    EXPECT_EQ(LoadCommSettings(file), settings);
}

} // namespace
} // namespace kav
