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

} // namespace
} // namespace kav
