#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "dump_writer.h"
#include "feed_lines.h"
#include "harness.h"
#include "qt_files.h"

using namespace kav;
using namespace kav::feed;

namespace {

// Two cars in the current race, the first with a comma in its first name and a quote in its last name.
class Dump : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        h.feedLines({"$A,\"1\",\"11\",1234,\"Ann, Jr\",O\"Brien,\"NED\",1", A("2", "12", "Bea", "Bravo"),
                     G(1, "1", 1, "00:01:30.000"), G(2, "2", 1, "00:01:31.000"), J("1", "00:01:30.000")});
    }

    QString pathOf(const QString& name) const { return m_dir.filePath(name); }
    bool dumpTo(const QString& dir, QString& error)
    {
        return writeDump(dir, {{&race, &practice}, h.Settings->Headers, h.Ctl.Info, h.Ctl.State}, error);
    }

    Harness h;
    ResultWindow& race = h.open(kLayoutCurrentRace);
    ResultWindow& practice = h.open(kLayoutPractice, {2, 4, 11});
    QTemporaryDir m_dir;
};

// Every cell as the grid holds it, the panel's items with the ones its layout shows, and the state.
TEST_F(Dump, AWholeDumpIsWrittenIntoAFolderMadeForIt)
{
    h.Ctl.Info.setPanelLayout({RunInfo::kRun, RunInfo::kFlagLamp, RunInfo::kRaceTime, kNoCode, kNoCode, kNoCode,
                               kNoCode, kNoCode, kNoCode, kNoCode});
    h.feedLines({"$B,5,\"Final, A\"", "$G,1,\"12\"", F(3, "00:10:00", "Yellow")});
    QString error;
    ASSERT_TRUE(dumpTo(pathOf("out/final"), error)) << error.toStdString();
    const QDir expected(QStringLiteral(KAV_TEST_DATA "/dump/two_cars"));
    const QStringList files = expected.entryList(QDir::Files, QDir::Name);
    ASSERT_EQ(files, QDir(pathOf("out/final")).entryList(QDir::Files | QDir::Hidden, QDir::Name));
    for (const QString& file : files)
        EXPECT_EQ(readAll(pathOf("out/final/") + file).split('\n'), readAll(expected.filePath(file)).split('\n'))
            << file.toStdString();
    // A field with a comma, a quote or a line break is quoted.
    EXPECT_EQ(csvLine({"a,b", "a\"b", "a\rb", "a\nb", "ab"}), "\"a,b\",\"a\"\"b\",\"a\rb\",\"a\nb\",ab\r\n");
}

TEST_F(Dump, AFileThatCannotBeWrittenIsNamedAndTheRestWritten)
{
    ASSERT_TRUE(QDir().mkpath(pathOf("out/ResultWin1.csv")));
    QString error;
    EXPECT_FALSE(dumpTo(pathOf("out"), error));
    EXPECT_TRUE(error.contains(QStringLiteral("ResultWin1.csv"))) << error.toStdString();
    for (const char* written : {"out/ResultWin2.csv", "out/state.txt", "out/geninfo.csv"})
        EXPECT_TRUE(QFileInfo::exists(pathOf(written))) << written;
    ASSERT_TRUE(writeAll(pathOf("plain"), {}));
    EXPECT_FALSE(dumpTo(pathOf("plain/out"), error));
    EXPECT_TRUE(error.contains(pathOf("plain/out"))) << error.toStdString();
}

} // namespace
