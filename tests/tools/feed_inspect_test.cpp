#include <gtest/gtest.h>

#include <QFile>
#include <sstream>

#include "child_process.h"
#include "feed_file.h"
#include "feed_inspect.h"
#include "line_cutter.h"
#include "qt_files.h"

namespace kav {
namespace {

const QString kFeed = QStringLiteral(KAV_TEST_DATA "/feeds/short_race.feed");

// A CR stays part of its line, an unknown tag and an empty line give kind 23 with nothing after the
// second TAB, and the last line, without LF, is left out and reported; the tool reads a file or its
// standard input alike.
TEST(FeedInspect, OneOutputLinePerInputLineFromFileOrStandardInput)
{
    const QByteArray expected = readAll(QStringLiteral(KAV_TEST_DATA "/feeds/short_race.inspect"));
    ASSERT_FALSE(expected.isEmpty());
    std::istringstream in(readAll(kFeed).toStdString());
    std::ostringstream out;
    EXPECT_TRUE(inspectFeed(in, out).lastLineUnended);
    EXPECT_EQ(out.str(), expected.toStdString());
    const ProcessResult fromFile = runProcess(QStringLiteral(KAV_FEED_TOOL), {QStringLiteral("inspect"), kFeed});
    EXPECT_EQ(fromFile.status, 0);
    EXPECT_EQ(fromFile.out, expected);
    EXPECT_EQ(fromFile.err,
              "kavendor-feed: the last line of " + kFeed.toUtf8() + " has no line end and was not inspected\n");
    const ProcessResult fromInput = runProcess(QStringLiteral(KAV_FEED_TOOL), {QStringLiteral("inspect")}, kFeed);
    EXPECT_EQ(fromInput.status, 0);
    EXPECT_EQ(fromInput.out, expected);
    EXPECT_EQ(fromInput.err, "kavendor-feed: the last line of standard input has no line end and was not inspected\n");
}

// The tool cuts a file into lines by the program's rule and tells what it left out.
TEST(FeedInspect, FileLinesAreCutAsTheProgramCutsThem)
{
    const std::string tooLong(LineCutter::kMaxLine + 1, 'y');
    const struct {
        const char* name;
        std::string file;
        std::vector<std::string> lines;
        std::vector<std::size_t> tooLong;
        bool lastLineUnended;
    } cases[] = {
        {"CR LF", "$A,1\r\n$B,2\n", {"$A,1\r", "$B,2"}, {}, false},
        {"lone CR", "$A,1\r$B,2\n", {"$A,1\r$B,2"}, {}, false},
        {"empty lines", "\n\r\n$C,3\n", {"", "\r", "$C,3"}, {}, false},
        {"over-long line", "$A,1\n" + tooLong + "\r\n$B,2\n", {"$A,1", "$B,2"}, {2}, false},
        {"last line without LF", "$A,1\n$B,2\r", {"$A,1"}, {}, true},
        {"over-long last line without LF", "$A,1\n" + tooLong, {"$A,1"}, {2}, true},
        {"empty file", "", {}, {}, false},
    };
    for (const auto& c : cases) {
        std::istringstream in(c.file);
        std::vector<std::string> lines;
        const LeftOut leftOut = readFeedLines(in, [&lines](std::string_view line) { lines.emplace_back(line); });
        EXPECT_EQ(lines, c.lines) << c.name;
        EXPECT_EQ(leftOut.tooLong, c.tooLong) << c.name;
        EXPECT_EQ(leftOut.lastLineUnended, c.lastLineUnended) << c.name;
    }
    std::ostringstream err;
    warnLeftOut(err, {{2}, true}, "race.feed", "sent");
    EXPECT_EQ(err.str(), "kavendor-feed: line 2 of race.feed is longer than 65536 bytes and was dropped, as Kavendor "
                         "drops it\nkavendor-feed: the last line of race.feed has no line end and was not sent\n");
}

} // namespace
} // namespace kav
