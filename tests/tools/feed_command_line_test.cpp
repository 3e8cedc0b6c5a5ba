#include <gtest/gtest.h>

#include "feed_command_line.h"

namespace kav {
namespace {

TEST(FeedCommandLine, WrongArgumentsSayWhy)
{
    const std::pair<std::vector<std::string_view>, std::string> simulate[] = {
        {{"--cars", "0"}, "--cars: not a valid value: 0"},
        {{"--cars", "1000"}, "--cars: not a valid value: 1000"},
        {{"--laps"}, "--laps needs a value"},
        {{"--speed", "fast"}, "--speed: not a valid value: fast"},
        {{"--port", "70000"}, "--port: not a valid value: 70000"},
        {{"--frobnicate"}, "unknown option: --frobnicate"},
        {{"--serial", "/dev/ttyS0", "--out", "x"}, "--serial and --out exclude each other"},
        {{"--repeat", "--out", "x"}, "--repeat and --out exclude each other"},
    };
    for (const auto& [args, message] : simulate) {
        std::string error;
        EXPECT_FALSE(parseSimulate(args, error));
        EXPECT_EQ(error, message);
    }
    const std::pair<std::vector<std::string_view>, std::string> serve[] = {
        {{"--rate", "5"}, "serve needs a feed file"},
        {{"a.feed", "--rate", "0"}, "--rate: not a valid value: 0"},
    };
    for (const auto& [args, message] : serve) {
        std::string error;
        EXPECT_FALSE(parseServe(args, error));
        EXPECT_EQ(error, message);
    }
}

TEST(FeedCommandLine, TheTimingComputersHabitsAreEachSwitchedOnByTheirOption)
{
    std::string error;
    const auto none = parseSimulate({}, error);
    const auto all = parseSimulate({"--formation", "--corrections", "--penalties", "--reconnect", "--pit-loops"}, error);
    ASSERT_TRUE(none && all) << error;
    const auto habits = [](const SimOptions& o) {
        return std::vector<bool>{o.formation, o.corrections, o.penalties, o.reconnect, o.pitLoops};
    };
    EXPECT_EQ(habits(none->session), std::vector<bool>(5, false));
    EXPECT_EQ(habits(all->session), std::vector<bool>(5, true));
}

} // namespace
} // namespace kav
