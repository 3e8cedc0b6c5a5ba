#include <gtest/gtest.h>

#include "feed_command_line.h"

namespace kav {
namespace {

TEST(FeedCommandLine, SimulateTakesEveryOptionAndServeAFileAndARate)
{
    std::string error;
    const auto simulate = ParseSimulate({"--port", "0", "--bind", "0.0.0.0", "--cars", "40", "--laps", "3",
                                         "--practice", "--speed", "2.5", "--seed", "99", "--out", "race.feed"},
                                        error);
    ASSERT_TRUE(simulate) << error;
    EXPECT_EQ(simulate->target.port, 0);
    EXPECT_EQ(simulate->target.bind, "0.0.0.0");
    EXPECT_EQ(simulate->session.cars, 40);
    EXPECT_EQ(simulate->session.laps, 3);
    EXPECT_TRUE(simulate->session.practice);
    EXPECT_EQ(simulate->speed, 2.5);
    EXPECT_EQ(simulate->session.seed, 99u);
    EXPECT_EQ(simulate->target.out, "race.feed");
    const auto repeating = ParseSimulate({"--repeat", "--serial", "/dev/ttyS0"}, error);
    ASSERT_TRUE(repeating) << error;
    EXPECT_TRUE(repeating->repeat);
    EXPECT_EQ(repeating->target.serial, "/dev/ttyS0");
    const auto serve = ParseServe({"race.feed", "--rate", "250", "--port", "50001"}, error);
    ASSERT_TRUE(serve) << error;
    EXPECT_EQ(serve->file, "race.feed");
    EXPECT_EQ(serve->rate, 250.0);
    EXPECT_EQ(serve->target.port, 50001);
}

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
        EXPECT_FALSE(ParseSimulate(args, error));
        EXPECT_EQ(error, message);
    }
    const std::pair<std::vector<std::string_view>, std::string> serve[] = {
        {{"--rate", "5"}, "serve needs a feed file"},
        {{"a.feed", "--rate", "0"}, "--rate: not a valid value: 0"},
    };
    for (const auto& [args, message] : serve) {
        std::string error;
        EXPECT_FALSE(ParseServe(args, error));
        EXPECT_EQ(error, message);
    }
}

} // namespace
} // namespace kav
