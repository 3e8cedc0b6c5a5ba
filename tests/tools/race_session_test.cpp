#include <gtest/gtest.h>

#include <map>
#include <set>

#include "parsed_record.h"
#include "race_session.h"
#include "sim_read_back.h"
#include "text_helpers.h"

namespace kav {
namespace {

using sim_test::ReadG;
using sim_test::ReadJ;

TSimOptions Race(int cars, int laps, std::uint64_t seed = 1)
{
    return sim_test::Options(cars, laps, false, seed);
}

// The feed read back the way the program reads it.
struct TReadBack {
    std::vector<std::uint8_t> kinds;
    std::vector<TSimLine> lines;
};

TReadBack ReadBack(const std::vector<TSimLine>& lines)
{
    TReadBack back;
    for (const auto& line : lines) {
        const ParsedRecord record = parseRecord(line.text);
        EXPECT_TRUE(record.valid) << line.text;
        back.kinds.push_back(record.kind());
    }
    back.lines = lines;
    return back;
}

TEST(RaceSession, EveryLineIsAValidRecordInTimeOrder)
{
    const auto lines = SimulateSession(Race(12, 8));
    const auto back = ReadBack(lines);
    for (std::size_t i = 1; i < lines.size(); ++i)
        ASSERT_LE(lines[i - 1].at, lines[i].at) << lines[i].text;
    for (const auto kind : {kKindI, kKindB, kKindC, kKindE, kKindA, kKindComp, kKindF, kKindG, kKindH, kKindJ})
        EXPECT_NE(std::count(back.kinds.begin(), back.kinds.end(), kind), 0) << int{kind};
}

TEST(RaceSession, SameSeedSameFeedOtherSeedOtherFeed)
{
    EXPECT_EQ(SimulateSession(Race(10, 5, 7)), SimulateSession(Race(10, 5, 7)));
    EXPECT_NE(SimulateSession(Race(10, 5, 7)), SimulateSession(Race(10, 5, 8)));
}

TEST(RaceSession, PreambleNamesTheFieldWithSomeNamesBeyondAscii)
{
    const auto lines = SimulateSession(Race(20, 2));
    EXPECT_EQ(lines[0].text.substr(0, 3), "$I,");
    int competitors = 0;
    int accented = 0;
    for (const auto& line : lines) {
        if (line.at == 0 && line.text.starts_with("$A,")) {
            ++competitors;
            accented += std::any_of(line.text.begin(), line.text.end(), [](char c) { return c & 0x80; });
            EXPECT_TRUE(IsValidUtf8(line.text)) << line.text;
        }
    }
    EXPECT_EQ(competitors, 20);
    EXPECT_GT(accented, 0);
}

// Every place held by one car, more laps ahead, and on equal laps the earlier crossing ahead.
void CheckStandings(std::map<int, TGRec>& places, int cars, const std::string& after)
{
    std::set<std::string> seen;
    for (int p = 1; p <= cars; ++p) {
        ASSERT_TRUE(places.count(p)) << after;
        EXPECT_TRUE(seen.insert(places[p].RegNo).second) << "place " << p << " after " << after;
        if (p == 1)
            continue;
        const auto& ahead = places[p - 1];
        const auto& behind = places[p];
        const bool inOrder =
            ahead.Laps > behind.Laps || (ahead.Laps == behind.Laps && ahead.TotalTime <= behind.TotalTime);
        EXPECT_TRUE(inOrder) << "place " << p << " after " << after;
    }
}

// Applies each burst of $G (the lines after one $J) to a table of places and checks the whole table
// after every burst.
TEST(RaceSession, EveryBurstLeavesAConsistentOrder)
{
    const int cars = 15;
    std::map<int, TGRec> places;
    std::string lastJ;
    for (const auto& line : SimulateSession(Race(cars, 12, 3))) {
        if (line.text.starts_with("$G,"))
            places[ReadG(line.text).Position] = ReadG(line.text);
        if (!line.text.starts_with("$J,"))
            continue;
        if (!lastJ.empty())
            CheckStandings(places, cars, lastJ);
        lastJ = line.text;
    }
    CheckStandings(places, cars, lastJ);
}

TEST(RaceSession, LapsAndTotalTimesGrowAndEachLapHasItsPassingFirst)
{
    const auto lines = SimulateSession(Race(10, 6, 5));
    std::map<std::string, TGRec> last;
    std::string lastPassed;
    int newLaps = 0;
    for (const auto& line : lines) {
        if (line.text.starts_with("$J,"))
            lastPassed = ReadJ(line.text).RegNo;
        if (!line.text.starts_with("$G,"))
            continue;
        const auto g = ReadG(line.text);
        const auto& before = last[g.RegNo];
        EXPECT_GE(g.Laps, before.Laps) << line.text;
        EXPECT_GE(g.TotalTime, before.TotalTime) << line.text;
        if (g.Laps > before.Laps) {
            EXPECT_EQ(g.Laps, before.Laps + 1) << line.text;
            EXPECT_EQ(lastPassed, g.RegNo) << line.text;
            ++newLaps;
        }
        last[g.RegNo] = g;
    }
    EXPECT_EQ(newLaps, 10 * 6);
}

TEST(RaceSession, LapTimeOfAPassingIsTheTimeSinceTheCarsLastCrossing)
{
    const auto lines = SimulateSession(Race(6, 4, 9));
    std::map<std::string, TimeValue> crossedAt;
    for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
        if (!lines[i].text.starts_with("$J,"))
            continue;
        const auto j = ReadJ(lines[i].text);
        EXPECT_EQ(j.LapTime, lines[i].at - crossedAt[j.RegNo]) << lines[i].text;
        EXPECT_GT(j.LapTime, 60 * kTicksPerSecond) << lines[i].text;
        EXPECT_LT(j.LapTime, 200 * kTicksPerSecond) << lines[i].text;
        crossedAt[j.RegNo] = lines[i].at;
    }
}

} // namespace
} // namespace kav
