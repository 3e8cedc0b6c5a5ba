#include <gtest/gtest.h>

#include <map>
#include <set>

#include "parsed_record.h"
#include "race_session.h"
#include "sim_read_back.h"

namespace kav {
namespace {

using namespace sim_test;

std::vector<TFRec> Heartbeats(const std::vector<TSimLine>& lines)
{
    std::vector<TFRec> beats;
    for (const auto& line : lines) {
        if (line.text.starts_with("$F,"))
            beats.push_back(ReadF(line.text));
    }
    return beats;
}

TEST(RaceFinish, LapsToGoCountDownToZeroAndEveryCarTakesTheFlagOnce)
{
    const int laps = 7;
    const auto lines = SimulateSession(Options(9, laps, false, 4));
    std::vector<std::int32_t> countdown;
    for (const auto& beat : Heartbeats(lines)) {
        if (countdown.empty() || countdown.back() != beat.LapsToGo)
            countdown.push_back(beat.LapsToGo);
    }
    EXPECT_EQ(countdown, (std::vector<std::int32_t>{7, 6, 5, 4, 3, 2, 1, 0}));

    // After the winner's last lap every other car crosses once more, taking the chequered flag, and no more.
    std::map<std::string, int> passingsAfter;
    std::string winner;
    for (const auto& line : lines) {
        if (line.text.starts_with("$G,") && winner.empty() && ReadG(line.text).Laps == laps)
            winner = ReadG(line.text).RegNo;
        else if (line.text.starts_with("$J,") && !winner.empty())
            ++passingsAfter[ReadJ(line.text).RegNo];
    }
    EXPECT_EQ(passingsAfter.size(), 8u);
    EXPECT_EQ(passingsAfter.count(winner), 0u);
    for (const auto& [regNo, count] : passingsAfter)
        EXPECT_EQ(count, 1) << regNo;
}

TEST(RaceFinish, ChequeredCarsStopAndTheWinnerHasAllLaps)
{
    const int laps = 20;
    const auto lines = SimulateSession(Options(12, laps, false, 2));
    std::map<std::string, TGRec> final;
    for (const auto& line : lines) {
        if (line.text.starts_with("$G,")) {
            const auto g = ReadG(line.text);
            final[g.RegNo] = g;
        }
    }
    std::int32_t most = 0;
    std::int32_t fewest = laps;
    for (const auto& [regNo, g] : final) {
        most = std::max(most, g.Laps);
        fewest = std::min(fewest, g.Laps);
    }
    EXPECT_EQ(most, laps);
    EXPECT_LT(fewest, laps) << "the slow class is lapped over 20 laps";
    EXPECT_EQ(Heartbeats(lines).back().Flag, "Finish");
}

TEST(RaceFinish, PlacesChangeHandsDuringTheRace)
{
    const auto lines = SimulateSession(Options(15, 10, false, 6));
    std::map<std::string, std::set<int>> placesHeld;
    for (const auto& line : lines) {
        if (line.text.starts_with("$G,")) {
            const auto g = ReadG(line.text);
            placesHeld[g.RegNo].insert(g.Position);
        }
    }
    int movers = 0;
    for (const auto& [regNo, places] : placesHeld)
        movers += places.size() > 1;
    EXPECT_GT(movers, 5);
}

// A heartbeat on every whole second with the flag periods in order; the extra heartbeats in between each
// come just before a passing, with the passing's own time.
TEST(RaceFinish, HeartbeatEverySecondWithYellowAndRedPeriods)
{
    const auto lines = SimulateSession(Options(8, 10, false, 3));
    std::vector<TFRec> regular;
    int extra = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!lines[i].text.starts_with("$F,"))
            continue;
        const auto beat = ReadF(lines[i].text);
        EXPECT_EQ(beat.RaceTime, lines[i].at);
        EXPECT_EQ(beat.Time3, TRaceSession::kStartOfDay + beat.RaceTime);
        if (beat.RaceTime % kTicksPerSecond == 0) {
            regular.push_back(beat);
            continue;
        }
        ++extra;
        ASSERT_LT(i + 1, lines.size());
        EXPECT_TRUE(lines[i + 1].text.starts_with("$J,")) << lines[i + 1].text;
        EXPECT_EQ(lines[i + 1].at, lines[i].at);
    }
    EXPECT_GT(extra, 0);
    std::vector<std::string> flags;
    for (std::size_t i = 0; i < regular.size(); ++i) {
        EXPECT_EQ(regular[i].RaceTime, static_cast<TimeValue>(i) * kTicksPerSecond);
        if (flags.empty() || flags.back() != regular[i].Flag)
            flags.push_back(regular[i].Flag);
    }
    EXPECT_EQ(flags, (std::vector<std::string>{"Green ", "Yellow", "Green ", "Red   ", "Green ", "Finish"}));
}

TEST(PracticeSession, BestLapsAndPassingsOnTimeWithoutLapsToGo)
{
    const int laps = 6;
    const auto lines = SimulateSession(Options(10, laps, true, 8));
    int passings = 0;
    int bestLaps = 0;
    for (const auto& line : lines) {
        EXPECT_FALSE(line.text.starts_with("$G,")) << line.text;
        passings += line.text.starts_with("$J,");
        bestLaps += line.text.starts_with("$H,");
    }
    EXPECT_GT(passings, 10 * 4);
    EXPECT_GT(bestLaps, 10);
    const auto beats = Heartbeats(lines);
    const TimeValue length = laps * TRaceSession::kNominalLap;
    for (const auto& beat : beats) {
        EXPECT_EQ(beat.LapsToGo, 9999);
        EXPECT_EQ(beat.Time2, std::max(0, length - beat.RaceTime));
        EXPECT_EQ(beat.Flag == "Finish", beat.RaceTime >= length) << beat.RaceTime;
    }
}

// The best-lap table read back from the $H lines is ordered by lap time once the session is over.
TEST(PracticeSession, BestLapTableEndsInLapTimeOrder)
{
    const auto lines = SimulateSession(Options(10, 6, true, 8));
    std::map<int, THRec> table;
    for (const auto& line : lines) {
        if (line.text.starts_with("$H,")) {
            const auto h = ReadH(line.text);
            table[h.Position] = h;
        }
    }
    ASSERT_EQ(table.size(), 10u);
    for (int p = 2; p <= 10; ++p)
        EXPECT_LE(table[p - 1].BestLapTime, table[p].BestLapTime) << p;
}

} // namespace
} // namespace kav
