// The race report of a recorded race through the real program, read back with poppler's tools: the
// run and every car named, the classification in the current-race window's order, charts drawn as
// text and lines (no page images), and --report's command-line faults.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "csv_reader.h"

namespace {

const QString kData = QStringLiteral(KAV_TEST_DATA);

struct ProcessRun {
    int status = -1;
    QString out;
    QString errors;
};

ProcessRun run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return {};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()), QString::fromLocal8Bit(process.readAllStandardError())};
}

// A poppler tool; the test fails, saying what to install, when it is missing.
QString tool(const QString& name)
{
    const QString path = QStandardPaths::findExecutable(name);
    EXPECT_FALSE(path.isEmpty()) << name.toStdString() << " is missing: install poppler-utils (scripts/setup.sh does)";
    return path;
}

// The car numbers of the feed's competitors.
QStringList carNumbers(const QString& feed)
{
    QFile in(feed);
    EXPECT_TRUE(in.open(QIODevice::ReadOnly));
    QStringList numbers;
    for (const QByteArray& line : in.readAll().split('\n')) {
        const QList<QByteArray> fields = line.split(',');
        if (fields.value(0) == "$A" && !numbers.contains(fields.value(2).replace('"', "")))
            numbers << QString::fromUtf8(fields.value(2).replace('"', ""));
    }
    return numbers;
}

// The Car column of the overall classification, as pdftotext -layout lays out its rows.
QStringList classificationCars(const QString& text)
{
    const QStringList lines = text.split(u'\n');
    QStringList cars;
    const auto heading = std::find_if(lines.begin(), lines.end(),
                                      [](const QString& line) { return line.trimmed() == "Classification"; });
    qsizetype row = (heading - lines.begin()) + 2; // past the heading and the column titles
    for (; row < lines.size() && !lines[row].trimmed().isEmpty(); ++row)
        cars << lines[row].split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts).value(1);
    return cars;
}

QStringList dumpedCars(const QString& csvFile)
{
    QFile in(csvFile);
    EXPECT_TRUE(in.open(QIODevice::ReadOnly));
    const QList<QStringList> rows = kav::test::ReadCsv(in.readAll()).value_or(QList<QStringList>());
    QStringList cars;
    const qsizetype car = rows.value(0).indexOf(QStringLiteral("Car"));
    for (qsizetype r = 1; r < rows.size() && car >= 0; ++r) {
        if (!rows[r].value(car).trimmed().isEmpty())
            cars << rows[r].value(car);
    }
    return cars;
}

TEST(Report, RecordedRaceGivesAVectorReportInTheCurrentRaceWindowsOrder)
{
    const QString pdftotext = tool(QStringLiteral("pdftotext"));
    const QString pdfimages = tool(QStringLiteral("pdfimages"));
    ASSERT_FALSE(pdftotext.isEmpty() || pdfimages.isEmpty());
    QTemporaryDir dir;
    const QString feed = kData + "/feeds/race6.feed";
    const QString pdf = dir.filePath("race6.pdf");
    const ProcessRun program = run(KAV_PROGRAM, {"--replay", feed, "--dump", dir.filePath("dump"), "--report", pdf});
    ASSERT_EQ(program.status, 0) << program.errors.toStdString();

    const ProcessRun text = run(pdftotext, {"-layout", pdf, "-"});
    ASSERT_EQ(text.status, 0) << text.errors.toStdString();
    EXPECT_TRUE(text.out.contains("Race 1 - Brenmoor Cup"));
    EXPECT_TRUE(text.out.contains("Brenmoor Ring"));
    const QStringList cars = carNumbers(feed);
    ASSERT_EQ(cars.size(), 6);
    // The dump's first window is the current-race one; the report lists the cars as it shows them.
    EXPECT_EQ(classificationCars(text.out), dumpedCars(dir.filePath("dump/ResultWin1.csv")));

    const QStringList pages = text.out.split(u'\f');
    const auto chartPage = std::find_if(pages.begin(), pages.end(), [](const QString& page) {
        return page.contains("Lap chart") && page.contains("Gap to the leader");
    });
    ASSERT_NE(chartPage, pages.end()) << "the charts' titles are not text";
    for (const QString& car : cars) {
        const QRegularExpression word(QStringLiteral("\\b%1\\b").arg(car));
        EXPECT_TRUE(word.match(*chartPage).hasMatch()) << "car " << car.toStdString() << " not on the lap chart";
    }
    for (qsizetype page = 1; page < pages.size(); ++page)
        EXPECT_TRUE(pages[page - 1].contains(QStringLiteral("Page %1").arg(page))) << page;

    const ProcessRun images = run(pdfimages, {"-list", pdf});
    ASSERT_EQ(images.status, 0) << images.errors.toStdString();
    EXPECT_EQ(images.out.trimmed().split(u'\n').size(), 2) << "page images:\n" << images.out.toStdString();
}

TEST(Report, ReportWithoutAFeedOrIntoNoFileIsACommandLineFault)
{
    QTemporaryDir dir;
    const ProcessRun alone = run(KAV_PROGRAM, {"--report", dir.filePath("r.pdf")});
    EXPECT_EQ(alone.status, 2);
    EXPECT_TRUE(alone.errors.contains("--report needs --replay")) << alone.errors.toStdString();
    const ProcessRun folder = run(KAV_PROGRAM, {"--replay", kData + "/feeds/race6.feed", "--report", dir.path()});
    EXPECT_EQ(folder.status, 2);
    EXPECT_TRUE(folder.errors.contains("is a folder")) << folder.errors.toStdString();
    EXPECT_FALSE(QFile::exists(dir.filePath("r.pdf")));
}

} // namespace
