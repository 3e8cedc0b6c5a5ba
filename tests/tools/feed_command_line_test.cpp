#include <gtest/gtest.h>

#include <ranges>

#include "case_table.h"
#include "feed_command_line.h"

namespace kav {
namespace {

TEST(FeedCommandLine, WrongArgumentsSayWhy)
{
    for (const auto& row : readCaseTable(KAV_TEST_DATA "/tools/feed_command_line_errors.txt")) {
        std::vector<std::string_view> args;
        for (const auto part : std::views::split(std::string_view(row.at(1)), ' '))
            args.emplace_back(part.begin(), part.end());
        std::string error;
        EXPECT_FALSE(row[0] == "serve" ? parseServe(args, error).has_value() : parseSimulate(args, error).has_value());
        EXPECT_EQ(error, row.at(2)) << row[0] << ' ' << row[1];
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
