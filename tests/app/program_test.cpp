// The kavendor program run as an operator's script runs it: a recorded race replayed with --dump and
// compared with the results checked against the feed, a live race over TCP, and the command line.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "child_process.h"
#include "layout_store.h"

namespace kav {
namespace {

const QString kProgram = QStringLiteral(KAV_PROGRAM);
const QString kData = QStringLiteral(KAV_TEST_DATA);

QByteArray readAll(const QString& file)
{
    QFile in(file);
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
}

// Every file of the folder by name, as lines, so that a difference shows the line it is in.
std::map<QString, QList<QByteArray>> dumpFiles(const QString& dir)
{
    std::map<QString, QList<QByteArray>> files;
    for (const QString& file : QDir(dir).entryList(QDir::Files))
        files[file] = readAll(dir + '/' + file).split('\n');
    return files;
}

TEST(Program, AReplayedRaceDumpsEveryWindowThePanelAndTheStateAsChecked)
{
    QTemporaryDir out;
    const ProcessResult run = runProcess(kProgram, {"--replay", kData + "/feeds/race6.feed", "--dump", out.path()});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const auto expected = dumpFiles(kData + "/dump/race6");
    ASSERT_EQ(expected.size(), 7u);
    EXPECT_EQ(dumpFiles(out.path()), expected);
    EXPECT_FALSE(QFile::exists(QFileInfo(kProgram).dir().filePath("Kavendor.ini"))) << "only with --config-dir";
}

TEST(Program, ALayoutChoosesTheWindowsAndRecordingKeepsTheFeedByteForByte)
{
    QTemporaryDir dir;
    ResultWindowSettings rec;
    rec.Number = 5;
    rec.Layout = kLayoutPractice;
    rec.ColRel[0] = 2;
    rec.ColRel[1] = 11;
    writeResultWindow(dir.filePath("one.kvl").toStdString(), rec);
    const QString feed = kData + "/feeds/race6.feed";
    const ProcessResult run = runProcess(kProgram, {"--replay", feed, "--rate", "5000", "--layout",
                                                    dir.filePath("one.kvl"), "--dump", dir.filePath("out"), "--record",
                                                    dir.filePath("copy.feed"), "--config-dir", dir.filePath("config")});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    QStringList written = QDir(dir.filePath("out")).entryList(QDir::Files);
    written.sort();
    EXPECT_EQ(written.join(' ').toStdString(), "ResultWin5.csv geninfo.csv laps.csv state.txt");
    EXPECT_TRUE(readAll(dir.filePath("out/ResultWin5.csv")).startsWith("Car,Best Laptime\r\n32, 1:28.933\r\n"));
    EXPECT_EQ(readAll(dir.filePath("copy.feed")), readAll(feed));
    EXPECT_TRUE(QFile::exists(dir.filePath("config/Kavendor.ini")));
}

// As over ssh, from a service or in a package check: no platform named and no display to reach. The
// command line still answers, and a fault or the windows say so in one line.
TEST(Program, WithoutADisplayTheCommandLineStillAnswersAndFaultsSaySoInOneLine)
{
    QTemporaryDir config;
    const std::tuple<QStringList, int, QString> cases[] = {
        {{"--help"}, 0, "Usage: kavendor"},
        {{"--version"}, 0, "Kavendor "},
        {{"--fast"}, 2, "kavendor: unknown option: --fast\nTry 'kavendor --help'.\n"},
        {{"--replay", "/nonexistent/race.feed", "--dump", "/tmp"}, 2, "/nonexistent/race.feed"},
        {{"--config-dir", config.path()}, 1, "kavendor: no display to show the windows on"},
    };
    for (const auto& [arguments, status, output] : cases) {
        const ProcessResult run =
            runProcess(kProgram, arguments, {}, 60000, {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"});
        const QString printed = QString::fromLocal8Bit(run.out + run.err);
        EXPECT_EQ(run.status, status) << printed.toStdString();
        EXPECT_TRUE(printed.contains(output)) << printed.toStdString();
        if (status != 0) {
            EXPECT_TRUE(printed.endsWith(u'\n') && printed.count(u'\n') == (status == 2 ? 2 : 1))
                << printed.toStdString();
        }
    }
}

// The same race, once live from the simulator over TCP until it closes the connection and once replayed
// from the file the simulator writes, ends in the same dump; only the markers of the last crossings,
// which follow the wall clock, may differ.
TEST(Program, ALiveRaceOverTcpEndsAsTheSameRaceReplayed)
{
    QTemporaryDir dir;
    const QStringList race = {"simulate", "--cars", "8", "--laps", "3", "--seed", "11"};
    QProcess simulator;
    const quint16 port = startServing(simulator, QStringLiteral(KAV_FEED_TOOL), race + QStringList{"--speed", "40"});
    ASSERT_GT(port, 0);
    ASSERT_TRUE(QDir().mkpath(dir.filePath("config")));
    QFile comm(dir.filePath("config/Communication.ini"));
    ASSERT_TRUE(comm.open(QIODevice::WriteOnly));
    comm.write("[Communication]\nCommType=TCPIP\n\n[Communication\\TCPIP]\nTCPIP_Addr=127.0.0.1\nTCPIP_Port=" +
               QByteArray::number(port) + "\n");
    comm.close();
    const ProcessResult live =
        runProcess(kProgram, {"--config-dir", dir.filePath("config"), "--dump", dir.filePath("live")});
    simulator.waitForFinished(10000);
    ASSERT_EQ(live.status, 0) << live.err.toStdString();
    ASSERT_EQ(runProcess(QStringLiteral(KAV_FEED_TOOL), race + QStringList{"--out", dir.filePath("race.feed")}).status,
              0);
    const ProcessResult replay =
        runProcess(kProgram, {"--replay", dir.filePath("race.feed"), "--dump", dir.filePath("replay")});
    ASSERT_EQ(replay.status, 0) << replay.err.toStdString();
    auto withoutMarkers = [](std::map<QString, QList<QByteArray>> files) {
        for (auto& [name, lines] : files) {
            for (QByteArray& line : lines)
                line = QString::fromUtf8(line)
                           .remove(QRegularExpression(QStringLiteral("\\[green (ball|arrow)\\]")))
                           .toUtf8();
        }
        return files;
    };
    const auto replayed = withoutMarkers(dumpFiles(dir.filePath("replay")));
    EXPECT_EQ(withoutMarkers(dumpFiles(dir.filePath("live"))), replayed);
    EXPECT_TRUE(replayed.at("state.txt").contains("race_finished=1"));
    EXPECT_TRUE(replayed.at("state.txt").contains("errors=0"));
}

} // namespace
} // namespace kav
