#include <gtest/gtest.h>

#include "feed_command_line.h"

namespace kav {
namespace {

TEST(FeedCommandLine, SimulateDefaultsServeTheLoopbackOnTheCommonPort)
{
    std::string error;
    const auto command = ParseSimulate({}, error);
    ASSERT_TRUE(command);
    EXPECT_EQ(command->target.bind, "127.0.0.1");
    EXPECT_EQ(command->target.port, 50000);
    EXPECT_EQ(command->session.cars, 20);
    EXPECT_EQ(command->session.laps, 10);
    EXPECT_FALSE(command->session.practice);
    EXPECT_EQ(command->speed, 1.0);
    EXPECT_FALSE(command->repeat);
}

TEST(FeedCommandLine, SimulateTakesEveryOption)
{
    std::string error;
    const auto command = ParseSimulate({"--port", "0", "--cars", "40", "--laps", "3", "--practice", "--speed", "2.5",
                                        "--seed", "99", "--out", "race.feed"},
                                       error);
    ASSERT_TRUE(command) << error;
    EXPECT_EQ(command->target.port, 0);
    EXPECT_EQ(command->session.cars, 40);
    EXPECT_EQ(command->session.laps, 3);
    EXPECT_TRUE(command->session.practice);
    EXPECT_EQ(command->speed, 2.5);
    EXPECT_EQ(command->session.seed, 99u);
    EXPECT_EQ(command->target.out, "race.feed");

    const auto repeating = ParseSimulate({"--repeat", "--serial", "/dev/ttyS0"}, error);
    ASSERT_TRUE(repeating) << error;
    EXPECT_TRUE(repeating->repeat);
    EXPECT_EQ(repeating->target.serial, "/dev/ttyS0");
}

TEST(FeedCommandLine, WrongArgumentsSayWhy)
{
    const std::vector<std::pair<std::vector<std::string_view>, std::string>> rows = {
        {{"--cars", "0"}, "--cars: not a valid value: 0"},
        {{"--laps"}, "--laps needs a value"},
        {{"--speed", "fast"}, "--speed: not a valid value: fast"},
        {{"--port", "70000"}, "--port: not a valid value: 70000"},
        {{"--frobnicate"}, "unknown option: --frobnicate"},
        {{"--serial", "/dev/ttyS0", "--out", "x"}, "--serial and --out exclude each other"},
        {{"--repeat", "--out", "x"}, "--repeat and --out exclude each other"},
    };
    for (const auto& [args, message] : rows) {
        std::string error;
        EXPECT_FALSE(ParseSimulate(args, error));
        EXPECT_EQ(error, message);
    }
}

TEST(FeedCommandLine, ServeNeedsAFileAndTakesARate)
{
    std::string error;
    const auto command = ParseServe({"race.feed", "--rate", "250", "--port", "50001"}, error);
    ASSERT_TRUE(command) << error;
    EXPECT_EQ(command->file, "race.feed");
    EXPECT_EQ(command->rate, 250.0);
    EXPECT_EQ(command->target.port, 50001);
    EXPECT_EQ(command->target.bind, "127.0.0.1");

    EXPECT_FALSE(ParseServe({"--rate", "5"}, error));
    EXPECT_EQ(error, "serve needs a feed file");
    error.clear();
    EXPECT_FALSE(ParseServe({"a.feed", "--rate", "0"}, error));
    EXPECT_EQ(error, "--rate: not a valid value: 0");
}

} // namespace
} // namespace kav
