#include <gtest/gtest.h>

#include <QFile>
#include <sstream>

#include "child_process.h"
#include "feed_inspect.h"

namespace kav {
namespace {

const QString kFeed = QStringLiteral(KAV_TEST_DATA "/feeds/short_race.feed");

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A CR stays part of its line, an unknown tag and an empty line give kind 23 with nothing after the
// second TAB, and the last line has no LF; the tool reads a file or its standard input alike.
TEST(FeedInspect, OneOutputLinePerInputLineFromFileOrStandardInput)
{
    const QByteArray expected = readAll(QStringLiteral(KAV_TEST_DATA "/feeds/short_race.inspect"));
    ASSERT_FALSE(expected.isEmpty());
    std::istringstream in(readAll(kFeed).toStdString());
    std::ostringstream out;
    inspectFeed(in, out);
    EXPECT_EQ(out.str(), expected.toStdString());
    const ProcessResult fromFile = runProcess(QStringLiteral(KAV_FEED_TOOL), {QStringLiteral("inspect"), kFeed});
    EXPECT_EQ(fromFile.status, 0);
    EXPECT_EQ(fromFile.out, expected);
    const ProcessResult fromInput = runProcess(QStringLiteral(KAV_FEED_TOOL), {QStringLiteral("inspect")}, kFeed);
    EXPECT_EQ(fromInput.status, 0);
    EXPECT_EQ(fromInput.out, expected);
}

} // namespace
} // namespace kav
