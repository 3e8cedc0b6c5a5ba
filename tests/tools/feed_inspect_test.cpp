#include <gtest/gtest.h>

#include <QFile>
#include <sstream>

#include "case_table.h"
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
    for (const auto& row : readCaseTable(KAV_TEST_DATA "/tools/feed_files.txt")) {
        std::string file = row.at(1), lines, tooLong;
        if (const std::size_t at = file.find("{too long}"); at != std::string::npos)
            file.replace(at, 10, std::string(LineCutter::kMaxLine + 1, 'y'));
        std::istringstream in(file);
        const LeftOut leftOut =
            readFeedLines(in, [&lines](std::string_view line) { lines += '[' + std::string(line) + ']'; });
        for (const std::size_t line : leftOut.tooLong)
            tooLong += (tooLong.empty() ? "" : " ") + std::to_string(line);
        EXPECT_EQ(lines, row.at(2)) << row[0];
        EXPECT_EQ(tooLong.empty() ? "-" : tooLong, row.at(3)) << row[0];
        EXPECT_EQ(leftOut.lastLineUnended, row.at(4) == "1") << row[0];
    }
    std::ostringstream err;
    warnLeftOut(err, {{2}, true}, "race.feed", "sent");
    EXPECT_EQ(err.str(), "kavendor-feed: line 2 of race.feed is longer than 65536 bytes and was dropped, as Kavendor "
                         "drops it\nkavendor-feed: the last line of race.feed has no line end and was not sent\n");
}

} // namespace
} // namespace kav
