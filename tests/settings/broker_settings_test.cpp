#include <gtest/gtest.h>

#include <filesystem>

#include "communication_settings_file.h"
#include "publisher_settings.h"
#include "serial_port_settings.h"
#include "temporary_folder.h"

namespace kav {
namespace {

// The settings dialogs' tests cover a missing host, a wrong port and an unreadable CA file.
TEST(ConnectionCheck, NamesWhatMakesTheSettingsUnusable)
{
    const struct {
        void (*change)(BrokerConnectionSettings&);
        const char* problem;
    } cases[] = {
        {[](auto& s) { s.port = 0; }, "The broker port must be a number from 1 to 65535."},
        {[](auto& s) { s.port = 1; }, ""},
        {[](auto& s) { s.keepAliveSeconds = 4; }, "The keep-alive must be from 5 to 65535 seconds."},
        {[](auto& s) { s.password = QStringLiteral("x"); }, "A password needs a user name."},
        {[](auto& s) { s.caFile = QStringLiteral("/nonexistent/ca.crt"); }, ""}, // without TLS
    };
    for (const auto& row : cases) {
        BrokerConnectionSettings settings;
        settings.host = QStringLiteral("broker.local");
        row.change(settings);
        EXPECT_EQ(checkBrokerConnection(settings).toStdString(), row.problem);
    }
}

TEST(TopicPrefixCheck, RefusesWhatNoBrokerWouldRouteAndWildcardsWhereTheyMeanNothing)
{
    const struct {
        const char* prefix;
        bool wildcards, usable;
    } cases[] = {{"kavendor/track", false, true}, {"", false, false},           {"kavendor/#", true, false},
                 {"kavendor//x", false, false},   {"$SYS/x", false, false},     {"kavendor/+", false, false},
                 {"kavendor/+", true, true},      {"kavendor/a+b", true, false}};
    for (const auto& row : cases)
        EXPECT_EQ(checkTopicPrefix(QString::fromUtf8(row.prefix), row.wildcards).isEmpty(), row.usable)
            << row.prefix << (row.wildcards ? " with wildcards" : "");
}

TEST(HostAndPort, ReadsTheCommandLineForms)
{
    EXPECT_EQ(parseHostAndPort("broker"), std::pair(QStringLiteral("broker"), 1883));
    EXPECT_EQ(parseHostAndPort("[::1]:1885"), std::pair(QStringLiteral("::1"), 1885));
    EXPECT_EQ(parseHostAndPort("::1"), std::pair(QStringLiteral("::1"), 1883));
    EXPECT_EQ(parseHostAndPort("broker:65535"), std::pair(QStringLiteral("broker"), 65535));
    for (const char* wrong : {"broker:0", "broker:70000", "broker:", ":1883", "broker:x", "[::1]1883"})
        EXPECT_EQ(parseHostAndPort(QString::fromUtf8(wrong)), std::nullopt) << wrong;
}

TEST(PublisherSettingsFile, KeepsItsOwnSectionBesideTheProgramsSettings)
{
    TemporaryFolder folder;
    const auto file = folder / "Kavendor.ini";
    writeFile(file, "[MainWin]\r\nMarkerDelay=7\r\n");
    EXPECT_EQ(readPublisherSettings(QString::fromStdString(file.string())), PublisherSettings());
    EXPECT_EQ(checkPublisherSettings(PublisherSettings()), QString()) << "a publisher that is off is never wrong";
    PublisherSettings settings{true, {"10.0.0.5", 8883, "track-pc", 20, "pub", "secret", true, "/ca.crt"}, "a/b"};
    writePublisherSettings(QString::fromStdString(file.string()), settings);
    EXPECT_EQ(readPublisherSettings(QString::fromStdString(file.string())), settings);
    EXPECT_TRUE(readFile(file).starts_with("[MainWin]\r\nMarkerDelay=7\r\n"));
}

// Port n is /dev/ttyS(n-1) unless a device path is set.
TEST(SerialDevice, IsThePathOrElseTheNumberedPort)
{
    EXPECT_EQ(serialDeviceName({3, 9600, 8, 0, {}, {}}), QStringLiteral("/dev/ttyS2"));
    EXPECT_EQ(serialDeviceName({3, 9600, 8, 0, {}, QStringLiteral("/dev/ttyUSB0")}), QStringLiteral("/dev/ttyUSB0"));
}

// Both files that can hold a broker password: readable by others only while they hold none.
TEST(SettingsWithAPassword, AreReadableByTheirOwnerOnly)
{
    namespace fs = std::filesystem;
    TemporaryFolder folder;
    const auto publisherFile = folder / "Kavendor.ini";
    const auto feedFile = folder / "Communication.ini";
    const fs::perms othersRead = fs::perms::group_read | fs::perms::others_read;
    for (const char* password : {"", "secret"}) {
        for (const auto& file : {publisherFile, feedFile}) {
            writeFile(file, "[MainWin]\r\n");
            fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | othersRead);
        }
        PublisherSettings publisher;
        publisher.connection.userName = QStringLiteral("pub");
        publisher.connection.password = QString::fromUtf8(password);
        writePublisherSettings(QString::fromStdString(publisherFile.string()), publisher);
        CommunicationSettings feed;
        feed.mqtt.connection.userName = QStringLiteral("screen");
        feed.mqtt.connection.password = QString::fromUtf8(password);
        saveCommunicationSettings(QString::fromStdString(feedFile.string()), feed);
        for (const auto& file : {publisherFile, feedFile})
            EXPECT_EQ((fs::status(file).permissions() & othersRead) == fs::perms::none, *password != 0)
                << file << " with password \"" << password << '"';
    }
}

} // namespace
} // namespace kav
