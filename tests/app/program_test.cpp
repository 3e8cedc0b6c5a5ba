// The kavendor program run as an operator's script runs it: a recorded race replayed with --dump and
// compared with the results checked against the feed, a live race over TCP, and the command line.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "child_process.h"
#include "layout_store.h"
#include "qt_files.h"
#include "window_settings.h"

namespace kav {
namespace {

const QString kProgram = QStringLiteral(KAV_PROGRAM);
const QString kData = QStringLiteral(KAV_TEST_DATA);

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
    ASSERT_EQ(expected.size(), 8u);
    EXPECT_EQ(dumpFiles(out.path()), expected);
    EXPECT_FALSE(QFile::exists(QFileInfo(kProgram).dir().filePath("Kavendor.ini"))) << "only with --config-dir";
}

TEST(Program, ALayoutChoosesTheWindowsAndRecordingKeepsTheFeedByteForByte)
{
    QTemporaryDir dir;
    writeResultWindow(dir.filePath("one.kvl").toStdString(), windowSettings(kLayoutPractice, {2, 11}, 5));
    const QString feed = kData + "/feeds/race6.feed";
    const ProcessResult run = runProcess(kProgram, {"--replay", feed, "--rate", "5000", "--layout",
                                                    dir.filePath("one.kvl"), "--dump", dir.filePath("out"), "--record",
                                                    dir.filePath("copy.feed"), "--config-dir", dir.filePath("config")});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    QStringList written = QDir(dir.filePath("out")).entryList(QDir::Files);
    written.sort();
    EXPECT_EQ(written.join(' ').toStdString(), "ResultWin5.csv events.csv geninfo.csv laps.csv state.txt");
    EXPECT_TRUE(readAll(dir.filePath("out/ResultWin5.csv")).startsWith("Car,Best Laptime\r\n32, 1:28.933\r\n"));
    EXPECT_EQ(readAll(dir.filePath("copy.feed")), readAll(feed));
    EXPECT_TRUE(QFile::exists(dir.filePath("config/Kavendor.ini")));
}

// Replayed to a time of day, the race shows what the recording cut before its first later line shows:
// a passing's standings (no time of their own) go with it.
TEST(Program, AReplayToATimeShowsTheRaceAtThatTime)
{
    QTemporaryDir dir;
    const QString feed = kData + "/feeds/race6.feed";
    for (const auto& [time, lines] : {std::pair{"14:01:40.354", 108}, std::pair{"14:02:29", 112}}) {
        QList<QByteArray> cut = readAll(feed).split('\n').mid(0, lines);
        ASSERT_TRUE(writeAll(dir.filePath("cut.feed"), cut.join('\n') + '\n'));
        for (const QStringList& replay :
             {QStringList{feed, "--replay-to", time}, QStringList{dir.filePath("cut.feed")}})
            ASSERT_EQ(runProcess(kProgram, QStringList{"--replay"} + replay +
                                               QStringList{"--dump", dir.filePath(replay[0] == feed ? "to" : "cut")})
                          .status,
                      0);
        EXPECT_EQ(dumpFiles(dir.filePath("to")), dumpFiles(dir.filePath("cut"))) << time;
    }
}

// Without a display, and a live race over TCP against the same race replayed: command_line_answers_test.py
// and dump_demo_config_test.py.

} // namespace
} // namespace kav
