// laps.csv of a long simulated race with the habits of real feeds, fed through the program's record
// processing: one row per lap the timing system counted, and times past an hour that keep the hour.
#include <gtest/gtest.h>

#include <QRegularExpression>

#include <map>

#include "feed_time.h"
#include "harness.h"
#include "laps_csv.h"
#include "parsed_record.h"
#include "pits_csv.h"
#include "race_session.h"

using namespace kav;

namespace {

struct Row {
    int lap = 0;
    QString lapTime, totalTime;
};

// The rows of laps.csv by car; its cells hold no commas or quotes.
std::map<QString, std::vector<Row>> rowsByCar(const QByteArray& csv)
{
    std::map<QString, std::vector<Row>> rows;
    QList<QByteArray> lines = csv.split('\n');
    EXPECT_EQ(lines.takeFirst(), "car,lap,lap_time,total_time,position,flag\r");
    for (const QByteArray& line : lines) {
        const QStringList cells = QString::fromUtf8(line).chopped(line.isEmpty() ? 0 : 1).split(u',');
        if (cells.size() == 6)
            rows[cells[0]].push_back({cells[1].toInt(), cells[2], cells[3]});
    }
    return rows;
}

TEST(LapsCsv, HoldsOneRowPerCountedLapAndTimesPastAnHourKeepTheHour)
{
    Harness h;
    std::map<QString, RacePositionRecord> lastStandings;
    // Each lap's time is that of the car's last passing when its standing counted the lap.
    std::map<std::string, TimeValue> lastPassing;
    std::map<std::string, std::map<int, TimeValue>> lapTimes;
    for (const SimLine& line :
         simulateSession({.cars = 6, .laps = 48, .formation = true, .corrections = true, .penalties = true})) {
        h.feedLines(line.text);
        const ParsedRecord record = parseRecord(line.text);
        if (const auto* passing = std::get_if<PassingRecord>(&record.data))
            lastPassing[passing->RegNo] = passing->LapTime;
        if (const auto* standing = std::get_if<RacePositionRecord>(&record.data)) {
            lastStandings[QString::fromStdString(standing->RegNo)] = *standing;
            if (standing->Laps > 0)
                lapTimes[standing->RegNo][standing->Laps] = lastPassing[standing->RegNo];
        }
    }
    // The race stopped under red for an hour to the millisecond before the last car's last lap.
    const std::string car = lastStandings.begin()->first.toStdString();
    const RacePositionRecord& last = lastStandings.begin()->second;
    const TimeValue stopped = textToTime("01:00:00.0000");
    h.feedLines({"$J,\"" + car + "\",\"01:00:00.000\",\"23:00:00.000\"",
                 "$G," + std::to_string(last.Position) + ",\"" + car + "\"," + std::to_string(last.Laps + 1) + ",\"" +
                     timeToText(last.TotalTime + stopped) + "\""});
    lapTimes[car][last.Laps + 1] = stopped;
    lastStandings.begin()->second = {last.Position, car, last.Laps + 1, last.TotalTime + stopped};

    const auto rows = rowsByCar(lapsCsv(h.Ctl.State.lapHistory()));
    ASSERT_EQ(rows.size(), lastStandings.size());
    for (const auto& [regNo, standing] : lastStandings) {
        SCOPED_TRACE(regNo.toStdString());
        const std::vector<Row>& laps = rows.at(regNo);
        ASSERT_EQ(laps.size(), std::size_t(standing.Laps));
        for (std::size_t k = 0; k < laps.size(); ++k) {
            EXPECT_EQ(laps[k].lap, int(k) + 1);
            const TimeValue lapTime = lapTimes[regNo.toStdString()][int(k) + 1];
            EXPECT_EQ(laps[k].lapTime.toStdString(),
                      lapTime >= kTicksPerHour ? formatTime(1, 1, lapTime) : formatTime(7, 3, lapTime))
                << "lap " << k + 1;
        }
        EXPECT_EQ(laps.back().totalTime.trimmed().toStdString(), formatTime(1, 1, standing.TotalTime).substr(1));
        // The race lasts over an hour.
        EXPECT_TRUE(laps.back().totalTime.contains(QRegularExpression("^ [1-9]:\\d\\d:\\d\\d\\.\\d{3}$")))
            << laps.back().totalTime.toStdString();
    }
    EXPECT_EQ(rows.at(QString::fromStdString(car)).back().lapTime.toStdString(), " 1:00:00.000");
}

// pits.csv of a simulated race with pit loops, fed through the program's record processing: each car's
// stops as the simulator made them. A new run that turns out to be the same run going on keeps them;
// another run starts without.
TEST(PitsCsv, TellEachCarsStopsAndLastForTheRun)
{
    Harness h;
    RaceSession session({.cars = 5, .laps = 12, .seed = 4, .pitLoops = true});
    const std::vector<SimLine> lines = session.run();
    std::map<std::string, std::int32_t> laps;
    std::vector<std::string> runStart;
    for (const SimLine& line : lines) {
        h.feedLines(line.text);
        const ParsedRecord record = parseRecord(line.text);
        if (const auto* standing = std::get_if<RacePositionRecord>(&record.data))
            laps[standing->RegNo] = standing->Laps;
        if ((record.kind() == kKindI || record.kind() == kKindB) && runStart.size() < 2)
            runStart.push_back(line.text); // the $I and the first $B; the state sent again repeats $B
    }
    std::map<std::string, std::vector<SimPitStop>> stops;
    for (const SimPitStop& stop : session.pitStops())
        stops[stop.regNo].push_back(stop);
    QByteArray expected = "car,in_pit,stops,last_stop,laps_in_stint\r\n";
    for (const auto& [regNo, made] : stops) {
        const TimeValue last = made.back().pitOut - made.back().pitIn;
        expected += QStringLiteral("%1,no,%2,%3,%4\r\n")
                        .arg(QString::fromStdString(regNo))
                        .arg(made.size())
                        .arg(QString::fromLatin1(formatTime(7, 3, last)))
                        .arg(laps[regNo] - made.back().lap)
                        .toUtf8();
    }
    ASSERT_EQ(stops.size(), laps.size());
    EXPECT_EQ(pitsCsv(h.Ctl.State.pits()), expected);
    h.feedLines({runStart[0], runStart[1]});
    EXPECT_EQ(pitsCsv(h.Ctl.State.pits()), expected);
    h.feedLines({runStart[0], "$B,2,\"Race 2\""});
    EXPECT_FALSE(h.Ctl.State.pits().anyCrossing());
    h.feedLines(
        {R"($L,"9","P1","PIP","06/01/2026","14:00:00.000")", R"($L,"9","P2","POP","06/01/2026","14:00:00.000")"});
    EXPECT_TRUE(pitsCsv(h.Ctl.State.pits()).endsWith("\r\n9,no,1,    0.000,0\r\n")) << "a stop both loops saw at once";
}

} // namespace
