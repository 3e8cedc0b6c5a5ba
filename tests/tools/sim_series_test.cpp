#include <gtest/gtest.h>

#include "race_session.h"
#include "sim_read_back.h"
#include "sim_series.h"

namespace kav {
namespace {

using namespace sim_test;

std::vector<std::string> Competitors(const std::vector<TSimLine>& lines)
{
    std::vector<std::string> found;
    for (const auto& line : lines) {
        if (line.text.starts_with("$A,"))
            found.push_back(line.text);
    }
    return found;
}

// The next session is a new run: $I then $B with the next number, the field of the next seed, and the
// feed's clock going on from where the last session stopped, after a short break.
TEST(SimSeries, EachSessionIsTheNextRunWithTheNextSeedLaterInTheDay)
{
    TSimSeries series(Options(4, 2, false, 5));
    const auto first = series.Next();
    const auto second = series.Next();
    EXPECT_EQ(first, SimulateSession(Options(4, 2, false, 5)));

    ASSERT_GE(second.size(), 2u);
    EXPECT_TRUE(second[0].text.starts_with("$I,")) << second[0].text;
    EXPECT_EQ(ReadI(second[0].text).Time1, TRaceSession::kStartOfDay + first.back().at + TSimSeries::kBreak);
    EXPECT_EQ(ReadB(second[1].text).Word1, 2);
    EXPECT_EQ(ReadB(second[1].text).Description, "Race 2 - Brenmoor Cup");

    EXPECT_NE(Competitors(second), Competitors(first));
    EXPECT_EQ(Competitors(second), Competitors(SimulateSession(Options(4, 2, false, 6))));
}

// A day of many sessions goes past midnight and past the largest run number without leaving the range.
TEST(SimSeries, TheClockWrapsAtMidnightAndTheRunNumberAfterTheLast)
{
    auto options = Options(3, 1, true, 9);
    options.startOfDay = 24 * kTicksPerHour - kTicksPerMinute; // 23:59
    options.run = 9999;
    const auto lines = SimulateSession(options);
    bool wrapped = false;
    TimeValue before = options.startOfDay;
    for (const auto& line : lines) {
        if (!line.text.starts_with("$F,"))
            continue;
        const auto beat = ReadF(line.text);
        EXPECT_LT(beat.Time3, 24 * kTicksPerHour) << line.text;
        wrapped = wrapped || beat.Time3 < before;
        before = beat.Time3;
    }
    EXPECT_TRUE(wrapped);

    const auto next = TSimSeries::After(options, lines.back().at);
    EXPECT_EQ(next.run, 1);
    EXPECT_EQ(next.seed, 10u);
    EXPECT_EQ(next.startOfDay, options.startOfDay + lines.back().at + TSimSeries::kBreak - 24 * kTicksPerHour);
}

} // namespace
} // namespace kav
