#include <gtest/gtest.h>

#include <QByteArray>
#include <QList>

#include <random>

#include "line_framer.h"

namespace kav {
namespace {

using Lines = QList<QByteArray>;

// Every line the chunks produce, in order.
Lines Frame(TLineFramer& framer, const QList<QByteArray>& chunks)
{
    Lines lines;
    for (const QByteArray& chunk : chunks)
        lines += framer.Append(chunk);
    return lines;
}

TEST(LineFramer, SplittingTheStreamAnywhereGivesTheSameLines)
{
    const QByteArray feed = "$F,9999,\"00:12:34\"\r\n$G,3,\"1234BE\",,\"00:00:00.000\"\n$J,\"12\",\"x\"\n\n$H,1\rtail";
    TLineFramer whole;
    const Lines expected = whole.Append(feed);
    ASSERT_EQ(expected.size(), 4);

    std::mt19937 rng(7);
    for (int round = 0; round < 200; ++round) {
        QList<QByteArray> chunks;
        for (qsizetype pos = 0; pos < feed.size();) {
            const qsizetype n = std::uniform_int_distribution<qsizetype>(1, 9)(rng);
            chunks.append(feed.mid(pos, n));
            pos += n;
        }
        TLineFramer framer;
        ASSERT_EQ(Frame(framer, chunks), expected) << "round " << round;
        ASSERT_EQ(framer.Pending(), "$H,1\rtail");
    }
}

TEST(LineFramer, AStreamWithoutLfIsDroppedOnceItPassesTheLimit)
{
    TLineFramer framer;
    const QByteArray block(1000, 'x');
    for (int i = 0; i < 65; ++i)
        EXPECT_EQ(framer.Append(block), Lines{});
    EXPECT_EQ(framer.Pending().size(), 65000);
    EXPECT_EQ(framer.TakeDrops(), 0);

    EXPECT_EQ(framer.Append(block), Lines{}); // 66000 bytes: over the 65536 limit
    EXPECT_TRUE(framer.Pending().isEmpty());
    for (int i = 0; i < 200; ++i)
        framer.Append(block); // still the same endless line: no further drop, no growth
    EXPECT_TRUE(framer.Pending().isEmpty());
    EXPECT_EQ(framer.TakeDrops(), 1);
    EXPECT_EQ(framer.TakeDrops(), 0);

    // Framing resumes after the LF that ends the dropped line.
    EXPECT_EQ(framer.Append("yyy\n$F,1\n$G"), Lines{"$F,1\n"});
    EXPECT_EQ(framer.Pending(), "$G");
}

TEST(LineFramer, TheLimitDoesNotDependOnHowTheLineArrives)
{
    const QByteArray longest = QByteArray(TLineFramer::kMaxLine, 'x') + "\n";
    const QByteArray tooLong = QByteArray(TLineFramer::kMaxLine + 1, 'x') + "\n";
    const QByteArray feed = longest + tooLong + "$F,1\n";
    for (const qsizetype chunkSize : {qsizetype(100), qsizetype(4096), feed.size()}) {
        TLineFramer framer;
        QList<QByteArray> chunks;
        for (qsizetype pos = 0; pos < feed.size(); pos += chunkSize)
            chunks.append(feed.mid(pos, chunkSize));
        EXPECT_EQ(Frame(framer, chunks), (Lines{longest, "$F,1\n"})) << "chunks of " << chunkSize;
        EXPECT_EQ(framer.TakeDrops(), 1) << "chunks of " << chunkSize;
    }
}

} // namespace
} // namespace kav
