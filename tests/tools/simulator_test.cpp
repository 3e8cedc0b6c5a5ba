// The simulated feed read back the way the program reads it: the race must make sense line by line.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "parsed_record.h"
#include "race_session.h"
#include "sim_series.h"
#include "text_helpers.h"

namespace kav {
namespace {

TSimOptions Options(int cars, int laps, bool practice, std::uint64_t seed)
{
    TSimOptions options;
    options.cars = cars;
    options.laps = laps;
    options.practice = practice;
    options.seed = seed;
    return options;
}

// One simulated line with its kind, read back the way the program reads it.
struct Line {
    TimeValue at;
    std::string text;
    std::uint8_t kind;
    bool is(std::uint8_t k) const { return kind == k; }
    template <typename Rec>
    Rec read() const
    {
        const ParsedRecord record = parseRecord(text);
        const Rec* data = std::get_if<Rec>(&record.data);
        return data ? *data : Rec{};
    }
    TFRec f() const { return read<TFRec>(); }
    TGRec g() const { return read<TGRec>(); }
    TJRec j() const { return read<TJRec>(); }
};

std::vector<Line> readBack(const TSimOptions& options)
{
    std::vector<Line> back;
    for (const TSimLine& line : SimulateSession(options)) {
        const ParsedRecord record = parseRecord(line.text);
        EXPECT_TRUE(record.valid && IsValidUtf8(line.text)) << line.text;
        EXPECT_LE(back.empty() ? 0 : back.back().at, line.at) << line.text;
        back.push_back({line.at, line.text, record.kind()});
    }
    return back;
}

constexpr int kCars = 12;
constexpr int kLaps = 20;
const std::vector<Line>& race()
{
    static const std::vector<Line> race = readBack(Options(kCars, kLaps, false, 2));
    return race;
}

TEST(Simulator, ValidLinesInTimeOrderOfEveryKindAndTheSeedGivesTheFeed)
{
    std::set<std::uint8_t> kinds;
    int accented = 0;
    for (const Line& line : race()) {
        kinds.insert(line.kind);
        accented += line.is(kKindA) && std::any_of(line.text.begin(), line.text.end(), [](char c) { return c < 0; });
    }
    EXPECT_TRUE(race()[0].is(kKindI));
    EXPECT_EQ(kinds, (std::set<std::uint8_t>{kKindA, kKindB, kKindC, kKindComp, kKindE, kKindF, kKindG, kKindH, kKindI,
                                             kKindJ}));
    EXPECT_GT(accented, 0) << "some names beyond ASCII";
    EXPECT_EQ(SimulateSession(Options(5, 3, false, 7)), SimulateSession(Options(5, 3, false, 7)));
    EXPECT_NE(SimulateSession(Options(5, 3, false, 7)), SimulateSession(Options(5, 3, false, 8)));
}

// After each burst of $G every place is held by one car, more laps ahead and on equal laps the earlier
// crossing; a car's laps grow by one right after its own passing, whose lap time is the time since its
// last crossing; the winner has every lap and the slow class is lapped.
TEST(Simulator, StandingsLapsAndLapTimesStayConsistent)
{
    std::map<int, TGRec> places;
    std::map<std::string, TGRec> last;
    std::map<std::string, TimeValue> crossedAt;
    std::set<std::pair<std::string, int>> placesHeld;
    std::string passed;
    const auto checkPlaces = [&] {
        std::set<std::string> holders;
        for (int p = 1; p <= kCars; ++p) {
            const TGRec& ahead = places[std::max(1, p - 1)];
            EXPECT_TRUE(holders.insert(places[p].RegNo).second &&
                        (ahead.Laps > places[p].Laps ||
                         (ahead.Laps == places[p].Laps && ahead.TotalTime <= places[p].TotalTime)))
                << "place " << p << " after " << passed;
        }
    };
    for (const Line& line : race()) {
        if (line.is(kKindJ)) {
            if (!passed.empty())
                checkPlaces();
            passed = line.j().RegNo;
            EXPECT_EQ(line.j().LapTime, line.at - crossedAt[passed]) << line.text;
            EXPECT_GT(line.j().LapTime, 60 * kTicksPerSecond) << line.text;
            crossedAt[passed] = line.at;
        } else if (line.is(kKindG)) {
            const TGRec g = line.g();
            places[g.Position] = g;
            placesHeld.insert({g.RegNo, g.Position});
            EXPECT_GE(g.TotalTime, last[g.RegNo].TotalTime) << line.text;
            EXPECT_TRUE(g.Laps == last[g.RegNo].Laps || (g.Laps == last[g.RegNo].Laps + 1 && passed == g.RegNo))
                << line.text;
            last[g.RegNo] = g;
        }
    }
    checkPlaces();
    EXPECT_GT(placesHeld.size(), kCars + 5u) << "places change hands";
    const auto [fewest, most] =
        std::minmax_element(last.begin(), last.end(), [](auto& a, auto& b) { return a.second.Laps < b.second.Laps; });
    EXPECT_EQ(most->second.Laps, kLaps);
    EXPECT_LT(fewest->second.Laps, kLaps) << "the slow class is lapped";
}

// Laps to go count down to 0 when the winner completes the last lap; every other car then crosses once
// more, taking the chequered flag, and no more.
TEST(Simulator, TheWinnersLastLapEndsTheRaceAndEveryOtherCarTakesTheFlagOnce)
{
    std::vector<std::int32_t> countdown;
    std::map<std::string, int> passingsAfter;
    std::string winner;
    for (const Line& line : race()) {
        if (line.is(kKindF) && (countdown.empty() || countdown.back() != line.f().LapsToGo))
            countdown.push_back(line.f().LapsToGo);
        if (line.is(kKindG) && winner.empty() && line.g().Laps == kLaps)
            winner = line.g().RegNo;
        else if (line.is(kKindJ) && !winner.empty())
            ++passingsAfter[line.j().RegNo];
    }
    ASSERT_EQ(countdown.size(), kLaps + 1u);
    for (int left = 0; left <= kLaps; ++left)
        EXPECT_EQ(countdown[static_cast<std::size_t>(kLaps - left)], left);
    EXPECT_EQ(passingsAfter.size(), kCars - 1u);
    EXPECT_EQ(passingsAfter.count(winner), 0u);
    for (const auto& [regNo, count] : passingsAfter)
        EXPECT_EQ(count, 1) << regNo;
}

// A heartbeat on every whole second with the flag periods in order; an extra heartbeat comes just
// before a passing, with the passing's own time.
TEST(Simulator, HeartbeatEverySecondWithYellowAndRedPeriods)
{
    std::vector<std::string> flags;
    TimeValue second = 0;
    for (std::size_t i = 0; i < race().size(); ++i) {
        const TFRec beat = race()[i].f();
        if (!race()[i].is(kKindF))
            continue;
        EXPECT_EQ(beat.RaceTime, race()[i].at);
        EXPECT_EQ(beat.Time3, TRaceSession::kStartOfDay + beat.RaceTime);
        if (beat.RaceTime % kTicksPerSecond != 0) {
            EXPECT_TRUE(race()[i + 1].is(kKindJ) && race()[i + 1].at == beat.RaceTime) << race()[i + 1].text;
            continue;
        }
        EXPECT_EQ(beat.RaceTime, second) << "a missing or doubled heartbeat";
        second += kTicksPerSecond;
        if (flags.empty() || flags.back() != beat.Flag)
            flags.push_back(beat.Flag);
    }
    EXPECT_EQ(flags, (std::vector<std::string>{"Green ", "Yellow", "Green ", "Red   ", "Green ", "Finish"}));
}

TEST(Simulator, PracticeHasBestLapsInOrderAndTimeToGoWithoutLapsToGo)
{
    const TimeValue length = 6 * TRaceSession::kNominalLap;
    std::map<int, THRec> table;
    for (const Line& line : readBack(Options(10, 6, true, 8))) {
        EXPECT_FALSE(line.is(kKindG)) << line.text;
        if (line.is(kKindH))
            table[line.read<THRec>().Position] = line.read<THRec>();
        const TFRec beat = line.f();
        if (line.is(kKindF)) {
            EXPECT_EQ(beat.LapsToGo, 9999);
            EXPECT_EQ(beat.Time2, std::max(0, length - beat.RaceTime));
            EXPECT_EQ(beat.Flag == "Finish", beat.RaceTime >= length) << beat.RaceTime;
        }
    }
    ASSERT_EQ(table.size(), 10u);
    for (int p = 2; p <= 10; ++p)
        EXPECT_LE(table[p - 1].BestLapTime, table[p].BestLapTime) << p;
}

// Every 50 s the whole state comes again: the run, classes, competitors and track as at the start, then
// exactly the positions and best laps sent so far; a car's laps field stays empty until it crosses.
TEST(Simulator, EveryFiftySecondsTheWholeStateComesAgainUnchanged)
{
    for (const bool practice : {false, true}) {
        SCOPED_TRACE(practice ? "practice" : "race");
        const std::vector<Line> lines = readBack(Options(kCars, 8, practice, 3));
        std::vector<std::string> fixed;
        std::map<int, std::string> places;
        std::map<int, std::string> best;
        std::set<std::string> crossed;
        int resends = 0;
        for (std::size_t i = 1; i < lines.size(); ++i) {
            const Line& line = lines[i];
            if (line.is(kKindB) && !fixed.empty()) {
                std::vector<std::string> expected = fixed;
                for (const auto* table : {&places, &best}) {
                    for (const auto& [position, text] : *table)
                        expected.push_back(text);
                }
                std::vector<std::string> sent;
                for (std::size_t k = i; k < lines.size() && k < i + expected.size(); ++k)
                    sent.push_back(lines[k].at == line.at ? lines[k].text : "");
                EXPECT_EQ(sent, expected) << "at " << line.at;
                EXPECT_EQ(line.at % TRaceSession::kResendEvery, 0);
                i += expected.size() - 1;
                ++resends;
            } else if (line.is(kKindG)) {
                places[line.g().Position] = line.text;
                const bool lapsEmpty = line.text.find("\",,\"") != std::string::npos;
                EXPECT_EQ(lapsEmpty, !crossed.count(line.g().RegNo)) << line.text;
            } else if (line.is(kKindH)) {
                best[line.read<THRec>().Position] = line.text;
            } else if (line.is(kKindJ)) {
                crossed.insert(line.j().RegNo);
            } else if (line.at == 0 && !line.is(kKindF)) {
                fixed.push_back(line.text);
            }
        }
        EXPECT_EQ(resends, lines.back().at / TRaceSession::kResendEvery);
        EXPECT_FALSE(best.empty());
    }
}

// The next session is the next run with the next seed, later in the day; the clock wraps at midnight
// and the run number after the last one is 1.
TEST(Simulator, ASeriesRunsTheNextRunWithTheNextSeedLaterInTheDay)
{
    TSimSeries series(Options(4, 2, false, 5));
    const auto first = series.Next();
    EXPECT_EQ(first, SimulateSession(Options(4, 2, false, 5)));
    std::vector<std::string> competitors[2];
    std::vector<TSimLine> second = series.Next();
    for (int s = 0; s < 2; ++s) {
        for (const TSimLine& line : s == 0 ? second : SimulateSession(Options(4, 2, false, 6))) {
            if (line.text.starts_with("$A,"))
                competitors[s].push_back(line.text);
        }
    }
    EXPECT_EQ(competitors[0], competitors[1]);
    const Line i{0, second[0].text, kKindI};
    const Line b{0, second[1].text, kKindB};
    EXPECT_EQ(i.read<TIRec>().Time1, TRaceSession::kStartOfDay + first.back().at + TSimSeries::kBreak);
    EXPECT_EQ(b.read<TBRec>().Word1, 2);
    EXPECT_EQ(b.read<TBRec>().Description, "Race 2 - Brenmoor Cup");

    auto options = Options(3, 1, true, 9);
    options.startOfDay = 24 * kTicksPerHour - kTicksPerMinute;
    options.run = 9999;
    bool wrapped = false;
    const auto late = readBack(options);
    for (const Line& line : late) {
        EXPECT_LT(line.f().Time3, 24 * kTicksPerHour) << line.text;
        wrapped = wrapped || (line.is(kKindF) && line.f().Time3 < options.startOfDay);
    }
    EXPECT_TRUE(wrapped);
    const auto next = TSimSeries::After(options, late.back().at);
    EXPECT_EQ(next.run, 1);
    EXPECT_EQ(next.seed, 10u);
    EXPECT_EQ(next.startOfDay, options.startOfDay + late.back().at + TSimSeries::kBreak - 24 * kTicksPerHour);
}

} // namespace
} // namespace kav
