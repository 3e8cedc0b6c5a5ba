#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "comm_settings_file.h"
#include "publisher_settings.h"
#include "topic_names.h"

namespace kav {
namespace {

// Each case changes usable settings in one way.
struct ConnectionCase {
    const char* name;
    void (*change)(BrokerConnectionSettings&);
    const char* problem; // a part of the message; empty: still usable
};

class ConnectionCheck : public ::testing::TestWithParam<ConnectionCase> {};

TEST_P(ConnectionCheck, NamesWhatMakesTheSettingsUnusable)
{
    BrokerConnectionSettings settings;
    settings.host = QStringLiteral("broker.local");
    GetParam().change(settings);
    const QString problem = checkBrokerConnection(settings);
    if (std::string(GetParam().problem).empty())
        EXPECT_EQ(problem.toStdString(), "");
    else
        EXPECT_TRUE(problem.contains(QLatin1String(GetParam().problem))) << problem.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ConnectionCheck,
    ::testing::Values(
        ConnectionCase{"NoHost", [](BrokerConnectionSettings& s) { s.host.clear(); }, "No broker host"},
        ConnectionCase{"BlankHost", [](BrokerConnectionSettings& s) { s.host = QStringLiteral("  "); },
                       "No broker host"},
        ConnectionCase{"PortZero", [](BrokerConnectionSettings& s) { s.port = 0; }, "from 1 to 65535"},
        ConnectionCase{"PortTooHigh", [](BrokerConnectionSettings& s) { s.port = 65536; }, "from 1 to 65535"},
        ConnectionCase{"KeepAliveTooShort", [](BrokerConnectionSettings& s) { s.keepAliveSeconds = 4; }, "keep-alive"},
        ConnectionCase{"PasswordWithoutUser", [](BrokerConnectionSettings& s) { s.password = QStringLiteral("x"); },
                       "user name"},
        ConnectionCase{"UnreadableCaFile",
                       [](BrokerConnectionSettings& s) {
                           s.useTls = true;
                           s.caFile = QStringLiteral("/nonexistent/ca.crt");
                       },
                       "/nonexistent/ca.crt\" cannot be read"},
        ConnectionCase{"CaFileUnusedWithoutTls",
                       [](BrokerConnectionSettings& s) { s.caFile = QStringLiteral("/nonexistent/ca.crt"); }, ""},
        ConnectionCase{"Usable",
                       [](BrokerConnectionSettings& s) {
                           s.port = 8883;
                           s.userName = QStringLiteral("track");
                       },
                       ""}),
    [](const auto& info) { return std::string(info.param.name); });

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
    using Result = std::optional<std::pair<QString, int>>;
    const struct {
        const char* text;
        Result expected;
    } cases[] = {{"broker", std::pair(QStringLiteral("broker"), 1883)},
                 {"broker:1884", std::pair(QStringLiteral("broker"), 1884)},
                 {"[::1]:1885", std::pair(QStringLiteral("::1"), 1885)},
                 {"::1", std::pair(QStringLiteral("::1"), 1883)},
                 {"broker:0", std::nullopt},
                 {"broker:70000", std::nullopt},
                 {"broker:", std::nullopt},
                 {":1883", std::nullopt},
                 {"broker:x", std::nullopt}};
    for (const auto& row : cases)
        EXPECT_EQ(parseHostAndPort(QString::fromUtf8(row.text)), row.expected) << row.text;
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
