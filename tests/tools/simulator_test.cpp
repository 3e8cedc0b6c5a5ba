// The simulated feed read back the way the program reads it: the race must make sense line by line.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "parsed_record.h"
#include "pit_stops.h"
#include "race_session.h"
#include "sim_series.h"
#include "text_helpers.h"

namespace kav {
namespace {

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
    HeartbeatRecord f() const { return read<HeartbeatRecord>(); }
    RacePositionRecord g() const { return read<RacePositionRecord>(); }
    PassingRecord j() const { return read<PassingRecord>(); }
};

std::vector<Line> readBack(const SimOptions& options)
{
    std::vector<Line> back;
    for (const SimLine& line : simulateSession(options)) {
        const ParsedRecord record = parseRecord(line.text);
        EXPECT_TRUE(record.valid && isValidUtf8(line.text)) << line.text;
        EXPECT_LE(back.empty() ? 0 : back.back().at, line.at) << line.text;
        back.push_back({line.at, line.text, record.kind()});
    }
    return back;
}

constexpr int kCars = 12;
constexpr int kLaps = 20;
const std::vector<Line>& race()
{
    static const std::vector<Line> race = readBack({.cars = kCars, .laps = kLaps, .seed = 2});
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
    EXPECT_EQ(simulateSession({.cars = 5, .laps = 3, .seed = 7}), simulateSession({.cars = 5, .laps = 3, .seed = 7}));
    EXPECT_NE(simulateSession({.cars = 5, .laps = 3, .seed = 7}), simulateSession({.cars = 5, .laps = 3, .seed = 8}));
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

// The pit states the program reads from the loops are the stops the simulator made: every car stops
// once or twice, and its last stop, its laps since and its place on the track at the end agree.
TEST(Simulator, PitLoopsTellTheStopsTheCarsMade)
{
    RaceSession session({.cars = kCars, .laps = 24, .seed = 3, .pitLoops = true});
    PitStops pits;
    std::map<std::string, std::int32_t> laps;
    TimeValue last = 0;
    for (const SimLine& line : session.run()) {
        const ParsedRecord record = parseRecord(line.text);
        EXPECT_LE(last, line.at) << line.text;
        last = line.at;
        if (const auto* crossing = std::get_if<LineCrossingRecord>(&record.data)) {
            EXPECT_TRUE(pits.take(*crossing)) << line.text;
        }
        if (const auto* standing = std::get_if<RacePositionRecord>(&record.data))
            pits.takeLaps(standing->RegNo, laps[standing->RegNo] = standing->Laps);
    }
    std::map<std::string, std::vector<SimPitStop>> made;
    for (const SimPitStop& stop : session.pitStops())
        made[stop.regNo].push_back(stop);
    ASSERT_EQ(laps.size(), std::size_t{kCars});
    for (const auto& [regNo, carLaps] : laps) {
        SCOPED_TRACE(regNo);
        const PitState* state = pits.find(regNo);
        ASSERT_NE(state, nullptr);
        const std::vector<SimPitStop>& stops = made[regNo];
        ASSERT_TRUE(stops.size() == 1 || stops.size() == 2);
        EXPECT_EQ(state->stops, static_cast<std::int32_t>(stops.size()));
        EXPECT_EQ(state->lastStop, stops.back().pitOut - stops.back().pitIn);
        EXPECT_EQ(state->lapsInStint(), carLaps - stops.back().lap);
        EXPECT_FALSE(state->inPitLane);
    }
}

} // namespace
} // namespace kav
