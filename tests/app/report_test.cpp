// The race report of a recorded race through the real program, read back with poppler's tools: the
// run and every car named, the classification in the current-race window's order, charts drawn as
// text and lines (no page images), and --report's command-line faults.

#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "child_process.h"
#include "qt_files.h"

namespace kav {
namespace {

const QString kData = QStringLiteral(KAV_TEST_DATA);

// Column 2 (Car) of a dumped window, whose earlier columns hold no comma.
QStringList carColumn(const QString& csvFile)
{
    QStringList cars;
    for (const QByteArray& row : readAll(csvFile).split('\n').mid(1)) {
        if (!row.split(',').value(2).trimmed().isEmpty())
            cars << QString::fromUtf8(row.split(',').value(2));
    }
    return cars;
}

// The Car column of the overall classification, as pdftotext -layout lays out its rows.
QStringList classificationCars(const QString& text)
{
    const QStringList lines = text.split(u'\n');
    QStringList cars;
    qsizetype row = lines.indexOf(QRegularExpression(QStringLiteral("\\s*Classification\\s*"))) + 2;
    for (; row > 1 && row < lines.size() && !lines[row].trimmed().isEmpty(); ++row)
        cars << lines[row].split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts).value(1);
    return cars;
}

TEST(Report, RecordedRaceGivesAVectorReportInTheCurrentRaceWindowsOrder)
{
    ASSERT_TRUE(toolInstalled(QStringLiteral("pdftotext")));
    ASSERT_TRUE(toolInstalled(QStringLiteral("pdfimages")));
    QTemporaryDir dir;
    const QString pdf = dir.filePath("race6.pdf");
    const ProcessResult program = runProcess(KAV_PROGRAM, {"--replay", kData + "/feeds/race6.feed", "--report", pdf});
    ASSERT_EQ(program.status, 0) << program.err.toStdString();

    const QString text = QString::fromUtf8(runProcess("pdftotext", {"-layout", pdf, "-"}).out);
    EXPECT_TRUE(text.contains("Race 1 - Brenmoor Cup"));
    EXPECT_TRUE(text.contains("Brenmoor Ring"));
    // The checked dump's first window is the current-race one; the report lists the cars as it shows them.
    const QStringList cars = carColumn(kData + "/dump/race6/ResultWin1.csv");
    ASSERT_EQ(cars.size(), 6);
    EXPECT_EQ(classificationCars(text), cars);

    const QStringList pages = text.split(u'\f');
    const auto chartPage = std::find_if(pages.begin(), pages.end(), [](const QString& page) {
        return page.contains("Lap chart") && page.contains("Gap to the leader");
    });
    ASSERT_NE(chartPage, pages.end()) << "the charts' titles are not text";
    for (const QString& car : cars) {
        EXPECT_TRUE(QRegularExpression(QStringLiteral("\\b%1\\b").arg(car)).match(*chartPage).hasMatch())
            << "car " << car.toStdString() << " not on the lap chart";
    }
    for (qsizetype page = 1; page < pages.size(); ++page)
        EXPECT_TRUE(pages[page - 1].contains(QStringLiteral("Page %1").arg(page))) << page;

    const QByteArray images = runProcess("pdfimages", {"-list", pdf}).out;
    EXPECT_EQ(images.trimmed().split('\n').size(), 2) << "page images:\n" << images.toStdString();
}

// The report of a feed as pdftotext -layout lays it out; an empty text when the program failed.
QString reportText(const QString& feed, const QString& pdf)
{
    const ProcessResult program = runProcess(KAV_PROGRAM, {"--replay", feed, "--report", pdf});
    EXPECT_EQ(program.status, 0) << program.err.toStdString();
    return QString::fromUtf8(runProcess("pdftotext", {"-layout", pdf, "-"}).out);
}

QString simulated(const QTemporaryDir& dir, const QString& name, const QStringList& options)
{
    const QString feed = dir.filePath(name + ".feed");
    EXPECT_EQ(runProcess(KAV_FEED_TOOL, QStringList{"simulate", "--out", feed} + options).status, 0);
    return feed;
}

// A copy of the feed as a recording made on the day.
QString recordedOn(const QTemporaryDir& dir, const QString& feed, const QDate& day)
{
    QFile::copy(feed, dir.filePath(QStringLiteral("recorded.feed")));
    QFile file(dir.filePath(QStringLiteral("recorded.feed")));
    EXPECT_TRUE(file.open(QIODevice::ReadWrite) && file.setFileTime(day.startOfDay(), QFile::FileModificationTime));
    return file.fileName();
}

// What each kind of session's report must and must not say: results services' marks, the session's
// date, whole class names and car numbers, and never the feed's "no time" as a time.
TEST(Report, EachSessionGetsTheReportThatMakesSenseForIt)
{
    ASSERT_TRUE(toolInstalled(QStringLiteral("pdftotext")));
    QTemporaryDir dir;
    const struct {
        const char* name;
        QString feed;
        QStringList present;
        QStringList absent;
    } cases[] = {
        {"race that ends with a lapped, a retired and a car that never started",
         kData + "/feeds/report_marks.feed",
         {"+1 lap", "DNF", "DNS", "GT Masters Endurance Trophy Cup",
          "-07-12, from 14:00:00 to 14:06:00 (timing system)", "Lap chart", "Gap to the leader"},
         {"59:59", "+0.000", "Classification (best laps)", "…"}},
        {"practice session",
         simulated(dir, "practice", {"--practice", "--cars", "8", "--laps", "4"}),
         {"Classification (best laps)", "Lap times", "-06-01"},
         {"Gap to the leader", "Lap chart", "Fastest laps", "59:59", "+0.000", "…"}},
        {"long race of 19 cars",
         simulated(dir, "long", {"--cars", "19", "--laps", "60", "--corrections", "--penalties"}),
         {"Lap chart", "Gap to the leader"},
         {"…", "59:59", "DNF"}},
        {"a recording of an earlier year, replayed",
         recordedOn(dir, kData + "/feeds/report_marks.feed", QDate(2019, 8, 1)),
         {"Date: 2019-07-12"},
         {}},
        {"feed without a date", kData + "/feeds/undated.feed", {"(date of export"}, {"(timing system)"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString text = reportText(c.feed, dir.filePath("report.pdf"));
        for (const QString& wanted : c.present)
            EXPECT_TRUE(text.contains(wanted)) << wanted.toStdString() << " missing in\n" << text.toStdString();
        for (const QString& unwanted : c.absent)
            EXPECT_FALSE(text.contains(unwanted)) << unwanted.toStdString() << " found in\n" << text.toStdString();
    }
}

// Every row of the tables, column by column: gaps on the same lap and laps down, best laps with their
// lap, and the fastest laps in order of time with their gaps to the fastest; in practice, the laps each
// car drove and its best lap.
TEST(Report, TablesHoldEachCarsGapsAndBestLaps)
{
    ASSERT_TRUE(toolInstalled(QStringLiteral("pdftotext")));
    QTemporaryDir dir;
    for (const QString name : {"report_gaps", "report_practice"}) {
        const QString text = reportText(kData + "/feeds/" + name + ".feed", dir.filePath("report.pdf"));
        QStringList rows;
        for (const QString& line : text.left(text.indexOf(QRegularExpression("Lap chart|Lap times"))).split(u'\n')) {
            const QStringList columns = line.trimmed().split(QRegularExpression(QStringLiteral("\\s{2,}")));
            if (columns.size() > 1 && columns[0].toInt() > 0)
                rows << columns.join(" | ");
        }
        QStringList expected;
        for (const QString& line : QString::fromUtf8(readAll(kData + "/report/" + name + ".txt")).split(u'\n'))
            if (!line.isEmpty() && !line.startsWith(u'#'))
                expected << line;
        EXPECT_EQ(rows.join('\n').toStdString(), expected.join('\n').toStdString()) << name.toStdString();
    }
}

TEST(Report, ReportWithoutAFeedOrIntoNoFileIsACommandLineFault)
{
    QTemporaryDir dir;
    const ProcessResult alone = runProcess(KAV_PROGRAM, {"--report", dir.filePath("r.pdf")});
    EXPECT_EQ(alone.status, 2);
    EXPECT_TRUE(alone.err.contains("--report needs --replay")) << alone.err.toStdString();
    const ProcessResult folder =
        runProcess(KAV_PROGRAM, {"--replay", kData + "/feeds/race6.feed", "--report", dir.path()});
    EXPECT_EQ(folder.status, 2);
    EXPECT_TRUE(folder.err.contains("is a folder")) << folder.err.toStdString();
    EXPECT_FALSE(QFile::exists(dir.filePath("r.pdf")));
}

} // namespace
} // namespace kav
