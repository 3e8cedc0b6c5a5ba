#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>

#include "feed_inspect.h"

namespace kav {
namespace {

// Expected output for tests/data/feeds/short_race.feed: a CR stays part of its line, an unknown tag
// and an empty line give kind 23 with nothing after the second TAB, and the last line has no LF.
const std::string kShortRaceInspected =
    "8\t1\t$I,\"12:00:00.0000\",\"26 Nov\"\n"
    "1\t1\t$B,95,\"Race 3\"\n"
    "23\t0\t\n"
    "23\t0\t\n"
    "0\t1\t$A,\"12\",\"7\",1234,\"Abc\",\"Defg\",\"NED\",2\n"
    "6\t1\t$G, 1,\"12\",    3,\"00:01:23.4560\"\n"
    "6\t0\t$G, 1,\"12\",    3,\"00:00:00.0000\"\n"
    "5\t1\t$F, 9999,\"00:00:00.0000\",\"12:00:00.0000\",\"00:05:00.0000\",\"Green \"\n"
    "9\t1\t$J,\"12\",\"00:01:23.4567\",\"12:01:02.0300\"\n";

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

struct RunResult {
    std::string output;
    int status = -1;
};

RunResult RunCommand(const std::string& command)
{
    RunResult result;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return result;
    std::array<char, 4096> buffer{};
    std::size_t n = 0;
    while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        result.output.append(buffer.data(), n);
    const int raw = pclose(pipe);
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return result;
}

TEST(FeedInspect, OneOutputLinePerInputLine)
{
    std::istringstream in(ReadFile(KAV_TEST_DATA "/feeds/short_race.feed"));
    std::ostringstream out;
    InspectFeed(in, out);
    EXPECT_EQ(out.str(), kShortRaceInspected);
}

TEST(FeedInspect, KeepsCrAndLongLines)
{
    std::ostringstream out;
    InspectLine("$C,3,\"Juniors\"\r", out);
    EXPECT_EQ(out.str(), "2\t1\t$C,3,\"Juniors\"");
    out.str("");
    // The CR ends the unquoted last field; the tag stays recognised.
    InspectLine("$POINTSCHEME,17\r", out);
    EXPECT_EQ(out.str(), "19\t1\t$POINTSCHEME,17");

    const std::string longName(600, 'n');
    std::istringstream in("$E,\"TRACKNAME\",\"" + longName + "\"\n$X\n");
    out.str("");
    InspectFeed(in, out);
    EXPECT_EQ(out.str(), "4\t1\t$E,\"TRACKNAME\",\"" + longName + "\"\n23\t0\t\n");
}

TEST(FeedInspect, CommandReadsFileOrStandardInput)
{
    const std::string tool = KAV_FEED_TOOL;
    const std::string feed = KAV_TEST_DATA "/feeds/short_race.feed";

    const RunResult fromFile = RunCommand(tool + " inspect '" + feed + "'");
    EXPECT_EQ(fromFile.status, 0);
    EXPECT_EQ(fromFile.output, kShortRaceInspected);

    const RunResult fromStdin = RunCommand(tool + " inspect < '" + feed + "'");
    EXPECT_EQ(fromStdin.status, 0);
    EXPECT_EQ(fromStdin.output, kShortRaceInspected);

    const RunResult missing = RunCommand(tool + " inspect /nonexistent/feed 2>/dev/null");
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.output, "");

    EXPECT_EQ(RunCommand(tool + " frobnicate 2>/dev/null").status, 2);
}

} // namespace
} // namespace kav
