// events.csv of a simulated race with the habits of real feeds, read against laps.csv of the same dump:
// each leader was first on the lap it names by the totals, overall or in its class (corrections and
// penalties included, which move a car without a crossing of its own), every car takes the chequered flag once at its
// last lap, and the flags come as the heartbeats changed them.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <map>
#include <set>

#include "dump_writer.h"
#include "feed_time.h"
#include "harness.h"
#include "parsed_record.h"
#include "qt_files.h"
#include "race_session.h"

using namespace kav;

namespace {

// The rows of a dump file after its header, as cells; these files' cells hold no commas or quotes.
std::vector<QStringList> rowsOf(const QString& file, const QString& header)
{
    QList<QByteArray> lines = readAll(file).split('\n');
    EXPECT_EQ(lines.takeFirst(), header.toUtf8() + '\r') << file.toStdString();
    std::vector<QStringList> rows;
    for (const QByteArray& line : lines)
        if (!line.isEmpty())
            rows.push_back(QString::fromUtf8(line.chopped(1)).split(u','));
    return rows;
}

// The number after the word in an event's text ("on lap 7").
int numberAfter(const QString& text, const QString& word)
{
    const qsizetype at = text.indexOf(word);
    return at < 0 ? -1 : text.mid(at + word.size()).section(u' ', 0, 0).toInt();
}

TEST(EventsCsv, AgreeWithTheLapsOfTheSameDump)
{
    Harness h;
    QStringList flags; // the heartbeats' flags as they changed
    for (const SimLine& line : simulateSession(
             {.cars = 12, .laps = 30, .seed = 3, .formation = true, .corrections = true, .penalties = true})) {
        h.feedLines(line.text);
        const ParsedRecord record = parseRecord(line.text);
        if (const auto* heartbeat = std::get_if<HeartbeatRecord>(&record.data)) {
            const QString flag = QString::fromStdString(heartbeat->Flag).trimmed();
            if (!flag.isEmpty() && (flags.isEmpty() || flags.back() != flag))
                flags.append(flag);
        }
    }
    QTemporaryDir dir;
    QString error;
    ASSERT_TRUE(writeDump(dir.path(), {{}, h.Settings->Headers, h.Ctl.Info, h.Ctl.State}, error))
        << error.toStdString();
    struct Lap {
        int position = 0;
        TimeValue total = 0;
    };
    std::map<QString, std::map<int, Lap>> laps; // by car number and lap
    std::map<QString, QString> classOf;
    for (const QStringList& row : rowsOf(dir.filePath("laps.csv"), "car,lap,lap_time,total_time,position,flag")) {
        const std::string regNo = row[0].toStdString();
        const QString car = QString::fromStdString(h.Ctl.State.CompList.findByRegNo(regNo).Number);
        laps[car][row[1].toInt()] = {row[4].toInt(), textToTime(normaliseTimeText(row[3].toStdString()))};
        classOf[car] = QString::fromStdString(h.Ctl.State.eventNames().describe(regNo).className);
    }
    // The car first on the lap by the timing system's totals, of every car or of one class.
    const auto firstOn = [&](int lap, const QString& carClass) {
        QString first;
        for (const auto& [car, byLap] : laps) {
            const auto done = byLap.find(lap);
            if (done != byLap.end() && (carClass.isEmpty() || classOf[car] == carClass) &&
                (first.isEmpty() || done->second.total < laps[first][lap].total))
                first = car;
        }
        return first;
    };
    QStringList flagEvents;
    std::set<QString> finished;
    int leads = 0, classLeads = 0;
    qulonglong seq = 0;
    for (const QStringList& row : rowsOf(dir.filePath("events.csv"), "Seq,Race time,Kind,Car,Class,Text")) {
        ASSERT_EQ(row.size(), 6) << row.join(u',').toStdString();
        SCOPED_TRACE(row.join(u',').toStdString());
        EXPECT_EQ(row[0].toULongLong(), ++seq);
        if (row[2] == "FLAG")
            flagEvents.append(row[5] == "Finish" ? row[5] : row[5].section(u' ', 0, 0));
        if (row[2] == "LEAD" || row[2] == "CLASS LEAD") {
            (row[2] == "LEAD" ? leads : classLeads) += 1;
            EXPECT_EQ(firstOn(numberAfter(row[5], " lap "), row[2] == "LEAD" ? QString() : row[4]), row[3]);
        }
        if (row[2] == "FINISH") {
            EXPECT_TRUE(finished.insert(row[3]).second) << "a second chequered flag";
            const auto& [lastLap, last] = *laps[row[3]].rbegin();
            EXPECT_EQ(numberAfter(row[5], " after "), lastLap);
            EXPECT_EQ(numberAfter(row[5], " position "), last.position);
        }
    }
    EXPECT_EQ(flagEvents, flags);
    EXPECT_GT(leads, 1);
    EXPECT_GT(classLeads, 0);
    EXPECT_EQ(finished.size(), laps.size());
}

} // namespace
