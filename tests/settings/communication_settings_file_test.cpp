#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "case_table.h"
#include "communication_settings_file.h"
#include "qt_files.h"

namespace kav {
namespace {

class CommSettingsFile : public ::testing::Test {
protected:
    QString pathOf() const { return m_folder.filePath(QStringLiteral("Communication.ini")); }

    void write(const QByteArray& content) const { ASSERT_TRUE(writeAll(pathOf(), content)); }

    // A file of the usual three sections with the given values.
    static QByteArray fileWith(const QByteArray& type, const QByteArray& port, const QByteArray& rate,
                               const QByteArray& addr, const QByteArray& tcpPort)
    {
        return "[Communication]\r\nCommType=" + type + "\r\n\r\n[Communication\\Serial]\r\nS_Baudrate=" + rate +
               "\r\nS_Port=" + port + "\r\n\r\n[Communication\\TCPIP]\r\nTCPIP_Addr=" + addr +
               "\r\nTCPIP_Port=" + tcpPort + "\r\n\r\n";
    }

    QTemporaryDir m_folder;
};

// The file is written as the program always has, the optional keys only when set.
TEST_F(CommSettingsFile, TheOptionalKeysAreWrittenOnlyWhenSetAndEverythingReadsBack)
{
    CommunicationSettings settings;
    saveCommunicationSettings(pathOf(), settings);
    EXPECT_EQ(readAll(pathOf()), readAll(QStringLiteral(KAV_TEST_DATA "/comm/defaults.ini")));
    EXPECT_EQ(loadCommunicationSettings(pathOf()), settings);
    settings = {CommunicationType::TCPIP, 4, 230400, "/dev/ttyUSB0", "feed.track.local", 50001, true, 10, {}};
    saveCommunicationSettings(pathOf(), settings);
    EXPECT_EQ(readAll(pathOf()), readAll(QStringLiteral(KAV_TEST_DATA "/comm/every_key.ini")));
    EXPECT_EQ(loadCommunicationSettings(pathOf()), settings);
}

// A missing file or an unrecognised channel kind gives the default channel, whatever else is set.
TEST_F(CommSettingsFile, AnUnrecognisedChannelKindResetsEverySetting)
{
    EXPECT_EQ(loadCommunicationSettings(pathOf()), CommunicationSettings{});
    for (const QByteArray type : {"tcpip", "Rs232", "None", ""}) {
        write(fileWith(type, "3", "19200", "10.0.0.5", "4000"));
        EXPECT_EQ(loadCommunicationSettings(pathOf()), CommunicationSettings{}) << type.constData();
    }
}

TEST_F(CommSettingsFile, OddValuesAreReadAsTheProgramAlwaysHas)
{
    for (const auto& row : readCaseTable(KAV_TEST_DATA "/settings/odd_values.txt")) {
        QByteArrayList c;
        for (const std::string& field : row)
            c << QByteArray::fromStdString(field);
        write(fileWith("RS232", c.at(1), c.at(2), c.at(3), c.at(4)));
        QString problem;
        const CommunicationSettings settings = loadCommunicationSettings(pathOf(), &problem);
        EXPECT_EQ(problem.contains("TCPIP_Port=" + c[4].trimmed()), c.at(8) == "0") << row[0];
        EXPECT_EQ(settings.CommType, CommunicationType::RS232) << row[0];
        EXPECT_EQ(settings.S_Port, c.at(5).toInt()) << row[0];
        EXPECT_EQ(settings.S_Baudrate, c.at(6).toInt()) << row[0];
        EXPECT_EQ(settings.TCPIP_Addr, QString::fromUtf8(c.at(7))) << row[0];
        EXPECT_EQ(settings.TCPIP_Port, c.at(8).toInt()) << row[0];
    }
}

TEST_F(CommSettingsFile, KeysAndSectionsMatchWhateverTheirLetterCase)
{
    write("[communication]\ncommtype=TCPIP\n[COMMUNICATION\\TCPIP]\ntcpip_port=1234\r\ntcpip_autoreconnect=1\n"
          "TCPIP_SilenceTimeout=0\n");
    const CommunicationSettings settings = loadCommunicationSettings(pathOf());
    EXPECT_EQ(settings.CommType, CommunicationType::TCPIP);
    EXPECT_EQ(settings.TCPIP_Port, 1234);
    EXPECT_TRUE(settings.TCPIP_AutoReconnect);
    EXPECT_EQ(settings.TCPIP_SilenceTimeout, CommunicationSettings::kDefaultSilenceTimeout); // 0 would never wait
}

} // namespace
} // namespace kav
