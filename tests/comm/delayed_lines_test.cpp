#include <gtest/gtest.h>

#include "case_table.h"
#include "delayed_lines.h"

namespace kav {
namespace {

// Lines come out their delay after they went in, in order, whatever the clock does in between.
TEST(DelayedLines, ReleasesEachLineItsDelayLaterInOrder)
{
    ManualClock clock;
    DelayedLines delayed(clock, std::chrono::seconds(10));
    QList<QByteArray> out;
    QObject::connect(&delayed, &DelayedLines::lineReleased, [&out](const QByteArray& line) { out.append(line); });
    for (const auto& row : readCaseTable(KAV_TEST_DATA "/comm/delayed_lines.txt")) {
        const TimeValue ticksSoFar = clock.steady().count() * (kTicksPerSecond / 1000);
        clock.advance(static_cast<TimeValue>(std::stod(row.at(0)) * kTicksPerSecond) - ticksSoFar);
        if (row.at(2) != "-")
            delayed.take(QByteArray::fromStdString(row[2]));
        delayed.releaseDue();
        EXPECT_EQ(out.join(' '), QByteArray::fromStdString(row.at(1))) << row[0] << " s";
    }
    EXPECT_EQ(delayed.waitingLines(), 0);
}

// A flood larger than the bound goes out early, oldest first, and says so once.
TEST(DelayedLines, ABoundOfBytesWaitsAndTheOldestGoOutEarly)
{
    ManualClock clock;
    DelayedLines delayed(clock, std::chrono::seconds(600));
    int shortened = 0;
    QObject::connect(&delayed, &DelayedLines::shortened, [&shortened] { ++shortened; });
    QList<char> out;
    QObject::connect(&delayed, &DelayedLines::lineReleased, [&out](const QByteArray& line) { out.append(line[0]); });
    const QByteArray megabyte(1024 * 1024, 'x');
    for (char tag = 0; tag < 70; ++tag)
        delayed.take(QByteArray(1, tag) + megabyte);
    EXPECT_EQ(shortened, 1);
    ASSERT_FALSE(out.isEmpty());
    for (qsizetype k = 0; k < out.size(); ++k)
        EXPECT_EQ(out[k], char(k));
    EXPECT_LE(delayed.waitingLines() * (megabyte.size() + 1), DelayedLines::kMaxWaitingBytes);
    EXPECT_EQ(out.size() + delayed.waitingLines(), 70);

    // Two lines over the bound: the older goes out early, the newer waits even alone over it.
    DelayedLines pair(clock, std::chrono::seconds(600));
    int early = 0;
    QObject::connect(&pair, &DelayedLines::lineReleased, [&early] { ++early; });
    const QByteArray half(DelayedLines::kMaxWaitingBytes / 2 + 1, 'y');
    pair.take(half);
    pair.take(half);
    EXPECT_EQ(early, 1);
    EXPECT_EQ(pair.waitingLines(), 1);
}

} // namespace
} // namespace kav
