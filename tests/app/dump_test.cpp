#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QTemporaryDir>

#include <map>

#include "csv_reader.h"
#include "dump_writer.h"
#include "feed_lines.h"
#include "harness.h"
#include "zeb_grid.h"

using namespace kav;
using namespace kav::feed;

namespace {

QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QList<QStringList> ReadCsvFile(const QString& path)
{
    const auto records = test::ReadCsv(ReadFile(path));
    EXPECT_TRUE(records.has_value()) << path.toStdString();
    return records.value_or(QList<QStringList>{});
}

// Two cars in the current race, the first with a comma in its first name and a quote in its last name.
class Dump : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        h.Feed({"$A,\"1\",\"11\",1234,\"Ann, Jr\",O\"Brien,\"NED\",1", A("2", "12", "Bea", "Bravo"),
                G(1, "1", 1, "00:01:30.000"), G(2, "2", 1, "00:01:31.000"), J("1", "00:01:30.000")});
    }

    QString Path(const QString& name) const { return m_dir.filePath(name); }

    // What the window's cell shows, a picture as its role in brackets.
    QString Shown(const TFResults& window, int col, int row) const
    {
        const int marker = window.Record().ColPos[1];
        if (row > 0 && col == marker && !h.Picture(window, row).empty())
            return QStringLiteral("[%1]").arg(QString::fromStdString(h.Picture(window, row)));
        return window.Grid().GetCell(col, row);
    }

    THarness h;
    TFResults& race = h.Open(kLayoutCurrentRace);
    QTemporaryDir m_dir;
};

} // namespace

TEST_F(Dump, AResultWindowIsWrittenCellForCell)
{
    ASSERT_EQ(h.Cell(race, 3, 1), "Ann, Jr");
    ASSERT_EQ(h.Cell(race, 4, 1), "O\"Brien");
    ASSERT_FALSE(h.Picture(race, 1).empty());
    QString error;
    ASSERT_TRUE(WriteResultWindowCsv(race, h.Ctl.Pictures, Path("race.csv"), error)) << error.toStdString();
    const QList<QStringList> rows = ReadCsvFile(Path("race.csv"));
    const TZebGrid& grid = race.Grid();
    ASSERT_EQ(rows.size(), grid.RowCount());
    for (int row = 0; row < grid.RowCount(); ++row) {
        ASSERT_EQ(rows[row].size(), grid.ColCount()) << "row " << row;
        for (int col = 0; col < grid.ColCount(); ++col)
            EXPECT_EQ(rows[row][col], Shown(race, col, row)) << "row " << row << ", column " << col;
    }
    EXPECT_EQ(rows[1][race.Record().ColPos[4]], "O\"Brien");
    EXPECT_EQ(rows[0][race.Record().ColPos[4]], race.Grid().GetCell(race.Record().ColPos[4], 0));
    EXPECT_FALSE(rows[0][race.Record().ColPos[4]].isEmpty());
}

TEST_F(Dump, EveryStatusPictureIsWrittenAsItsRole)
{
    const std::vector<std::pair<std::uint8_t, QString>> roles = {
        {kWhiteFlag, "[white flag]"},         {kGreyFlag, "[grey flag]"},   {kBlackFlag, "[black flag]"},
        {kChequeredFlag, "[chequered flag]"}, {kGreenBall, "[green ball]"}, {kRedCross, "[red cross]"},
        {kGreenArrow, "[green arrow]"}};
    const int first = 10;
    for (std::size_t i = 0; i < roles.size(); ++i)
        race.PutCellPicture(0, first + static_cast<int>(i), h.Ctl.Pictures.ForCode(roles[i].first));
    QString error;
    ASSERT_TRUE(WriteResultWindowCsv(race, h.Ctl.Pictures, Path("race.csv"), error)) << error.toStdString();
    const QList<QStringList> rows = ReadCsvFile(Path("race.csv"));
    ASSERT_GT(rows.size(), first + static_cast<int>(roles.size()));
    for (std::size_t i = 0; i < roles.size(); ++i)
        EXPECT_EQ(rows[first + static_cast<int>(i)].value(0), roles[i].second);
    EXPECT_EQ(rows[first - 1].value(0), race.Grid().GetCell(0, first - 1));
}

TEST_F(Dump, GenInfoShowsOnlyTheItemsOfTheLayout)
{
    h.Panel.resize(1000, TGenInfoPanel::kHeight);
    h.Panel.ApplyGenInfoLayout({TGenInfoPanel::kRun, TGenInfoPanel::kFlagLamp, TGenInfoPanel::kRaceTime, kNoCode,
                                kNoCode, kNoCode, kNoCode, kNoCode, kNoCode, kNoCode});
    h.Feed({"$B,5,\"Final, A\"", F(3, "00:10:00", "Yellow")});
    ASSERT_EQ(h.Label(TGenInfoPanel::kRun), "Final, A");
    QString error;
    ASSERT_TRUE(WriteGenInfoCsv(h.Panel, Path("geninfo.csv"), error)) << error.toStdString();
    const QList<QStringList> rows = ReadCsvFile(Path("geninfo.csv"));
    ASSERT_EQ(rows.size(), 11);
    EXPECT_EQ(rows[0], (QStringList{"caption", "value", "shown"}));
    for (int item = 1; item <= TGenInfoPanel::kLabelItems; ++item) {
        const bool shown = item == TGenInfoPanel::kRun || item == TGenInfoPanel::kRaceTime;
        EXPECT_EQ(rows[item], (QStringList{h.Panel.Caption(item)->text(), h.Label(item), shown ? "1" : "0"}))
            << "item " << item;
    }
    EXPECT_EQ(rows[10], (QStringList{"Flag", "yellow", "1"}));
}

TEST_F(Dump, GenInfoOfAHiddenPanelShowsNothing)
{
    QString error;
    ASSERT_TRUE(WriteGenInfoCsv(h.Panel, Path("never.csv"), error)) << error.toStdString();
    TGenInfo layout;
    ResetGenInfo(layout);
    layout[1] = TGenInfoPanel::kLapsToGo; // a first empty slot hides the panel
    h.Panel.ApplyGenInfoLayout(layout);
    h.Feed(F(3, "00:10:00", "Red"));
    ASSERT_TRUE(WriteGenInfoCsv(h.Panel, Path("hidden.csv"), error)) << error.toStdString();
    for (const char* file : {"never.csv", "hidden.csv"}) {
        const QList<QStringList> rows = ReadCsvFile(Path(file));
        ASSERT_EQ(rows.size(), 11) << file;
        for (int item = 1; item <= 10; ++item)
            EXPECT_EQ(rows[item].value(2), "0") << file << ", item " << item;
    }
    EXPECT_EQ(ReadCsvFile(Path("never.csv"))[10].value(1), "green");
    EXPECT_EQ(ReadCsvFile(Path("hidden.csv"))[10].value(1), "red");
}

TEST_F(Dump, StateNamesFlagErrorsAndRun)
{
    h.Feed({"$B,5,\"Final\"", "$G,1,\"12\"", F(3, "00:10:00", "Red   ")});
    ASSERT_EQ(h.Ctl.State.ErrorCount, 1);
    QString error;
    ASSERT_TRUE(WriteStateTxt(h.Ctl.State, Path("state.txt"), error)) << error.toStdString();
    const QByteArray text = ReadFile(Path("state.txt"));
    EXPECT_FALSE(text.contains('\r'));
    std::map<QString, QString> values;
    for (const QByteArray& line : text.split('\n')) {
        if (!line.isEmpty())
            values[QString::fromUtf8(line.left(line.indexOf('=')))] =
                QString::fromUtf8(line.mid(line.indexOf('=') + 1));
    }
    EXPECT_EQ(values, (std::map<QString, QString>{{"errors", "1"},
                                                  {"flag", "red"},
                                                  {"race_finished", "0"},
                                                  {"row_count", QString::number(TRaceState::kInitialRows)},
                                                  {"run", "Final"}}));
    EXPECT_TRUE(text.endsWith('\n'));
}

TEST_F(Dump, AWholeDumpGoesIntoAFolderMadeForIt)
{
    TFResults& prac = h.Open(kLayoutPractice);
    QString error;
    const QString dir = Path("out/final");
    ASSERT_TRUE(WriteDump(dir, {&race, &prac}, h.Ctl.Pictures, h.Panel, h.Ctl.State, error)) << error.toStdString();
    const QStringList expected = {"ResultWin1.csv", "ResultWin2.csv", "geninfo.csv", "laps.csv", "state.txt"};
    EXPECT_EQ(QDir(dir).entryList(QDir::Files | QDir::Hidden, QDir::Name), expected);
    EXPECT_EQ(ReadCsvFile(dir + "/ResultWin2.csv").size(), prac.Grid().RowCount());
}

TEST_F(Dump, AFileThatCannotBeWrittenIsNamedAndTheRestWritten)
{
    ASSERT_TRUE(QDir().mkpath(Path("out/ResultWin1.csv")));
    QString error;
    EXPECT_FALSE(WriteDump(Path("out"), {&race}, h.Ctl.Pictures, h.Panel, h.Ctl.State, error));
    EXPECT_TRUE(error.contains(QStringLiteral("ResultWin1.csv"))) << error.toStdString();
    EXPECT_TRUE(QFileInfo::exists(Path("out/state.txt")));
    EXPECT_TRUE(QFileInfo::exists(Path("out/geninfo.csv")));
    {
        QFile file(Path("plain"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    EXPECT_FALSE(WriteDump(Path("plain/out"), {&race}, h.Ctl.Pictures, h.Panel, h.Ctl.State, error));
    EXPECT_TRUE(error.contains(Path("plain/out"))) << error.toStdString();
    EXPECT_FALSE(WriteStateTxt(h.Ctl.State, Path("missing/state.txt"), error));
    EXPECT_TRUE(error.contains(Path("missing/state.txt"))) << error.toStdString();
}
