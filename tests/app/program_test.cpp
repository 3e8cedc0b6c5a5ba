// The kavendor program run as an operator's script would run it: a recorded race replayed with --dump
// and compared cell by cell with the results checked against the feed, and the command line's errors.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <map>
#include <tuple>
#include <vector>

#include "csv_reader.h"
#include "layout_store.h"

namespace {

const QString kProgram = QStringLiteral(KAV_PROGRAM);
const QString kData = QStringLiteral(KAV_TEST_DATA);

struct TRun {
    int Status = -1;
    QString Errors;
};

TRun RunProgram(const QStringList& arguments)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(environment);
    process.start(kProgram, arguments);
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return {};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromLocal8Bit(process.readAllStandardError())};
}

QByteArray ReadAll(const QString& file)
{
    QFile in(file);
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
}

// Rows of RFC 4180 fields; none when the file is not well-formed CSV.
std::vector<QStringList> ParseCsv(const QByteArray& bytes)
{
    const QList<QStringList> rows = kav::test::ReadCsv(bytes).value_or(QList<QStringList>());
    return {rows.begin(), rows.end()};
}

void ExpectSameCsv(const QString& expectedFile, const QString& actualFile)
{
    const std::vector<QStringList> expected = ParseCsv(ReadAll(expectedFile));
    const std::vector<QStringList> actual = ParseCsv(ReadAll(actualFile));
    ASSERT_FALSE(expected.empty()) << expectedFile.toStdString();
    ASSERT_EQ(actual.size(), expected.size()) << actualFile.toStdString();
    for (std::size_t r = 0; r < expected.size(); ++r) {
        ASSERT_EQ(actual[r].size(), expected[r].size()) << actualFile.toStdString() << " row " << r;
        for (qsizetype c = 0; c < expected[r].size(); ++c)
            EXPECT_EQ(actual[r][c].toStdString(), expected[r][c].toStdString())
                << QFileInfo(actualFile).fileName().toStdString() << " row " << r << " column " << c << " ("
                << expected[0].value(c).toStdString() << ")";
    }
}

} // namespace

TEST(Program, ReplayedRaceDumpsEveryWindowPanelAndStateAsChecked)
{
    QTemporaryDir out;
    const TRun run = RunProgram({"--replay", kData + "/feeds/race6.feed", "--dump", out.path()});
    ASSERT_EQ(run.Status, 0) << run.Errors.toStdString();
    const QString expected = kData + "/dump/race6/";
    const QStringList files = QDir(expected).entryList(QDir::Files);
    EXPECT_EQ(QDir(out.path()).entryList(QDir::Files), files);
    for (const QString& file : files) {
        if (file.endsWith(".csv"))
            ExpectSameCsv(expected + file, out.filePath(file));
        else
            EXPECT_EQ(ReadAll(out.filePath(file)).toStdString(), ReadAll(expected + file).toStdString())
                << file.toStdString();
    }
    // No settings file is written without --config-dir.
    EXPECT_FALSE(QFile::exists(QFileInfo(kProgram).dir().filePath("Kavendor.ini")));
}

TEST(Program, DumpWithALayoutWritesItsWindowsAndRecordingKeepsTheFeedByteForByte)
{
    QTemporaryDir dir;
    kav::TResultWinRec rec;
    rec.Number = 5;
    rec.Layout = kav::kLayoutPractice;
    rec.ColRel[0] = 2;
    rec.ColRel[1] = 11;
    kav::WriteResultWin(dir.filePath("one.kvl").toStdString(), rec);
    const QString feed = kData + "/feeds/race6.feed";
    const TRun run = RunProgram({"--replay", feed, "--rate", "5000", "--layout", dir.filePath("one.kvl"), "--dump",
                                 dir.filePath("out"), "--record", dir.filePath("copy.feed"), "--config-dir",
                                 dir.filePath("config")});
    ASSERT_EQ(run.Status, 0) << run.Errors.toStdString();
    QStringList written = QDir(dir.filePath("out")).entryList(QDir::Files);
    written.sort();
    EXPECT_EQ(written, QStringList({"ResultWin5.csv", "geninfo.csv", "laps.csv", "state.txt"}));
    const std::vector<QStringList> rows = ParseCsv(ReadAll(dir.filePath("out/ResultWin5.csv")));
    ASSERT_GE(rows.size(), 2u);
    EXPECT_EQ(rows[0], QStringList({"Car", "Best Laptime"}));
    EXPECT_EQ(rows[1], QStringList({"32", " 1:28.933"}));
    EXPECT_EQ(ReadAll(dir.filePath("copy.feed")), ReadAll(feed));
    EXPECT_TRUE(QFile::exists(dir.filePath("config/Kavendor.ini")));
}

// Nobody is at the screen to close a message box: the dump says on standard error what it would show.
TEST(Program, DumpWithALayoutWhoseLogoCannotBeLoadedSaysSoAndEnds)
{
    QTemporaryDir out;
    const TRun run = RunProgram({"--replay", kData + "/feeds/short_race.feed", "--layout",
                                 kData + "/store/old_layout.kvl", "--dump", out.path()});
    EXPECT_EQ(run.Status, 0) << run.Errors.toStdString();
    EXPECT_TRUE(run.Errors.contains("kavendor: Error while loading logo")) << run.Errors.toStdString();
}

TEST(Program, BadCommandLinesEndWithStatusTwoAndSayWhy)
{
    const TRun unknown = RunProgram({"--fast"});
    EXPECT_EQ(unknown.Status, 2);
    EXPECT_TRUE(unknown.Errors.contains("--fast")) << unknown.Errors.toStdString();
    const TRun missing = RunProgram({"--replay", "/nonexistent/race.feed", "--dump", "/tmp"});
    EXPECT_EQ(missing.Status, 2);
    EXPECT_TRUE(missing.Errors.contains("/nonexistent/race.feed")) << missing.Errors.toStdString();
    const TRun help = RunProgram({"--help"});
    EXPECT_EQ(help.Status, 0);
    EXPECT_EQ(RunProgram({"--version"}).Status, 0);
}

// As over ssh, from a service or in a package check: no platform named and no display to reach.
TEST(Program, WithoutADisplayTheCommandLineStillAnswersAndTheWindowsSaySoInOneLine)
{
    QTemporaryDir config;
    const std::vector<std::tuple<QStringList, int, QString>> cases = {
        {{"--help"}, 0, "Usage: kavendor"},
        {{"--version"}, 0, "Kavendor "},
        {{"--fast"}, 2, "kavendor: unknown option: --fast\nTry 'kavendor --help'.\n"},
        {{"--config-dir", config.path()}, 1, "kavendor: no display to show the windows on"},
    };
    for (const auto& [arguments, status, output] : cases) {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
            environment.remove(QLatin1String(name));
        process.setProcessEnvironment(environment);
        process.start(kProgram, arguments);
        ASSERT_TRUE(process.waitForFinished(60000));
        const QString printed =
            QString::fromLocal8Bit(process.readAllStandardOutput() + process.readAllStandardError());
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit) << printed.toStdString();
        EXPECT_EQ(process.exitCode(), status) << printed.toStdString();
        EXPECT_TRUE(printed.startsWith(output)) << printed.toStdString();
        if (status != 0) {
            EXPECT_TRUE(printed.endsWith(u'\n') && printed.count(u'\n') == (status == 2 ? 2 : 1))
                << printed.toStdString();
        }
    }
}

namespace {

// What the feed itself says at its end: each car's last $G, last $J and last $H, and its car number.
struct TTruth {
    struct TCar {
        QString Number;
        int Position = 0;
        int Laps = 0;
        qint64 TotalMs = 0;
        qint64 LastLapMs = 0;
        int PracticePosition = 0;
        qint64 BestLapMs = 0;
    };
    std::map<QString, TCar> Cars; // by RegNo
};

QStringList Fields(const QString& line)
{
    QStringList fields;
    for (const QString& field : line.split(u','))
        fields << field.trimmed().remove(u'"');
    return fields;
}

// "00:01:23.4560", " 1:23.456" or "    2.147" as milliseconds.
qint64 Millis(const QString& text)
{
    const QStringList parts = text.trimmed().split(u':');
    qint64 minutes = 0;
    for (qsizetype i = 0; i + 1 < parts.size(); ++i)
        minutes = minutes * 60 + parts[i].toLongLong();
    return minutes * 60000 + qRound64(parts.last().toDouble() * 1000);
}

TTruth ReadTruth(const QByteArray& feed)
{
    TTruth truth;
    for (const QByteArray& raw : feed.split('\n')) {
        const QStringList f = Fields(QString::fromUtf8(raw));
        if (f.value(0) == "$A")
            truth.Cars[f[1]].Number = f[2];
        else if (f.value(0) == "$G" && f.size() >= 5) {
            TTruth::TCar& car = truth.Cars[f[2]];
            car.Position = f[1].toInt();
            car.Laps = f[3].toInt();
            car.TotalMs = Millis(f[4]);
        } else if (f.value(0) == "$J")
            truth.Cars[f[1]].LastLapMs = Millis(f[2]);
        else if (f.value(0) == "$H" && f.size() >= 5) {
            truth.Cars[f[2]].PracticePosition = f[1].toInt();
            truth.Cars[f[2]].BestLapMs = Millis(f[4]);
        }
    }
    return truth;
}

} // namespace

TEST(Program, LiveRaceOverTcpEndsInStandingsThatMatchTheSimulator)
{
    QTemporaryDir dir;
    const QStringList race = {"--cars", "8", "--laps", "3", "--seed", "11"};
    QProcess simulator;
    simulator.start(QStringLiteral(KAV_FEED_TOOL), QStringList{"simulate", "--port", "0", "--speed", "40"} + race);
    ASSERT_TRUE(simulator.waitForStarted());
    QString serving;
    for (int i = 0; i < 100 && !serving.contains('\n'); ++i) {
        simulator.waitForReadyRead(100);
        serving += QString::fromLocal8Bit(simulator.readAllStandardError());
    }
    const int port = serving.section(u':', -1).trimmed().toInt();
    ASSERT_GT(port, 0) << serving.toStdString();
    QDir().mkpath(dir.filePath("config"));
    QFile comm(dir.filePath("config/Communication.ini"));
    ASSERT_TRUE(comm.open(QIODevice::WriteOnly));
    comm.write(QStringLiteral("[Communication]\nCommType=TCPIP\n\n[Communication\\TCPIP]\nTCPIP_Addr=127.0.0.1\n"
                              "TCPIP_Port=%1\n")
                   .arg(port)
                   .toLatin1());
    comm.close();

    const TRun run = RunProgram({"--config-dir", dir.filePath("config"), "--dump", dir.filePath("out")});
    simulator.waitForFinished(10000);
    ASSERT_EQ(run.Status, 0) << run.Errors.toStdString();

    QProcess whole;
    whole.start(QStringLiteral(KAV_FEED_TOOL), QStringList{"simulate", "--out", dir.filePath("truth.feed")} + race);
    ASSERT_TRUE(whole.waitForFinished(30000));
    const TTruth truth = ReadTruth(ReadAll(dir.filePath("truth.feed")));
    ASSERT_EQ(truth.Cars.size(), 8u);

    // Current race results: window 1, every column in identifier order.
    const std::vector<QStringList> racing = ParseCsv(ReadAll(dir.filePath("out/ResultWin1.csv")));
    ASSERT_GT(racing.size(), 8u);
    const auto leader = std::find_if(truth.Cars.begin(), truth.Cars.end(),
                                     [](const auto& entry) { return entry.second.Position == 1; });
    ASSERT_NE(leader, truth.Cars.end());
    for (const auto& [regNo, car] : truth.Cars) {
        ASSERT_GE(car.Position, 1);
        const QStringList& row = racing[static_cast<std::size_t>(car.Position)];
        SCOPED_TRACE("car " + car.Number.toStdString());
        EXPECT_EQ(row[0].trimmed(), QString::number(car.Position));
        EXPECT_EQ(row[2].trimmed(), car.Number);
        EXPECT_EQ(row[7].trimmed(), QString::number(car.Laps));
        EXPECT_EQ(Millis(row[8]), car.TotalMs);
        EXPECT_EQ(Millis(row[9]), car.LastLapMs);
        EXPECT_EQ(Millis(row[11]), car.BestLapMs);
        // The gap to the leader, for the cars on the leader's lap.
        if (car.Position > 1 && car.Laps == leader->second.Laps) {
            EXPECT_EQ(Millis(row[14]), car.TotalMs - leader->second.TotalMs) << row[14].toStdString();
        }
    }
    // Practice results: window 3, ordered by best lap.
    const std::vector<QStringList> practice = ParseCsv(ReadAll(dir.filePath("out/ResultWin3.csv")));
    for (const auto& [regNo, car] : truth.Cars) {
        ASSERT_GE(car.PracticePosition, 1);
        const QStringList& row = practice[static_cast<std::size_t>(car.PracticePosition)];
        EXPECT_EQ(row[2].trimmed(), car.Number);
        EXPECT_EQ(Millis(row[11]), car.BestLapMs);
    }
    EXPECT_TRUE(ReadAll(dir.filePath("out/state.txt")).contains("race_finished=1"));
    EXPECT_TRUE(ReadAll(dir.filePath("out/state.txt")).contains("errors=0"));
}
