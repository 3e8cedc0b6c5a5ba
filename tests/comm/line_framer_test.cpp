#include <gtest/gtest.h>

#include <QByteArray>
#include <QList>

#include <random>

#include "line_framer.h"

namespace kav {
namespace {

using Lines = QList<QByteArray>;

// Every line the chunks produce, in order.
Lines borderWindow(LineFramer& framer, const QList<QByteArray>& chunks)
{
    Lines lines;
    for (const QByteArray& chunk : chunks)
        lines += framer.append(chunk);
    return lines;
}

TEST(LineFramer, SplittingTheStreamAnywhereGivesTheSameLines)
{
    const QByteArray feed = "$F,9999,\"00:12:34\"\r\n$G,3,\"1234BE\",,\"00:00:00.000\"\n$J,\"12\",\"x\"\n\n$H,1\rtail";
    LineFramer whole;
    const Lines expected = whole.append(feed);
    ASSERT_EQ(expected.size(), 4);

    std::mt19937 rng(7);
    for (int round = 0; round < 200; ++round) {
        QList<QByteArray> chunks;
        for (qsizetype pos = 0; pos < feed.size();) {
            const qsizetype n = std::uniform_int_distribution<qsizetype>(1, 9)(rng);
            chunks.append(feed.mid(pos, n));
            pos += n;
        }
        LineFramer framer;
        ASSERT_EQ(borderWindow(framer, chunks), expected) << "round " << round;
        ASSERT_EQ(framer.pending(), "$H,1\rtail");
    }
}

TEST(LineFramer, AStreamWithoutLfIsDroppedOnceItPassesTheLimit)
{
    LineFramer framer;
    const QByteArray block(1000, 'x');
    for (int i = 0; i < 65; ++i)
        EXPECT_EQ(framer.append(block), Lines{});
    EXPECT_EQ(framer.pending().size(), 65000);
    EXPECT_EQ(framer.takeDrops(), 0);

    EXPECT_EQ(framer.append(block), Lines{}); // 66000 bytes: over the 65536 limit
    EXPECT_TRUE(framer.pending().isEmpty());
    for (int i = 0; i < 200; ++i)
        framer.append(block); // still the same endless line: no further drop, no growth
    EXPECT_TRUE(framer.pending().isEmpty());
    EXPECT_EQ(framer.takeDrops(), 1);
    EXPECT_EQ(framer.takeDrops(), 0);

    // Framing resumes after the LF that ends the dropped line.
    EXPECT_EQ(framer.append("yyy\n$F,1\n$G"), Lines{"$F,1\n"});
    EXPECT_EQ(framer.pending(), "$G");
}

TEST(LineFramer, TheLimitDoesNotDependOnHowTheLineArrives)
{
    const QByteArray longest = QByteArray(LineFramer::kMaxLine, 'x') + "\n";
    const QByteArray tooLong = QByteArray(LineFramer::kMaxLine + 1, 'x') + "\n";
    const QByteArray feed = longest + tooLong + "$F,1\n";
    for (const qsizetype chunkSize : {qsizetype(100), qsizetype(4096), feed.size()}) {
        LineFramer framer;
        QList<QByteArray> chunks;
        for (qsizetype pos = 0; pos < feed.size(); pos += chunkSize)
            chunks.append(feed.mid(pos, chunkSize));
        EXPECT_EQ(borderWindow(framer, chunks), (Lines{longest, "$F,1\n"})) << "chunks of " << chunkSize;
        EXPECT_EQ(framer.takeDrops(), 1) << "chunks of " << chunkSize;
    }
}

} // namespace
} // namespace kav
