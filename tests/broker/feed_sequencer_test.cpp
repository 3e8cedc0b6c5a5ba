#include <gtest/gtest.h>

#include <QList>

#include "feed_sequencer.h"
#include "line_outbox.h"

namespace kav {
namespace {

// A message as the subscriber gets it: 'L' a feed line, 'B' a live burst, 'R' a retained burst.
struct Step {
    char kind;
    const char* sequence;
};

struct SequencerCase {
    const char* name;
    QList<Step> steps;
    const char* taken; // '1' for each message processed, '0' for each skipped
};

class Sequencer : public ::testing::TestWithParam<SequencerCase> {};

TEST_P(Sequencer, TakesEachLineOnceAndMendsGapsWithBursts)
{
    FeedSequencer sequencer;
    std::string taken;
    for (const Step& step : GetParam().steps) {
        const QByteArray sequence(step.sequence);
        const bool accepted =
            step.kind == 'L' ? sequencer.acceptLine(sequence) : sequencer.acceptBurst(sequence, step.kind == 'R');
        taken += accepted ? '1' : '0';
    }
    EXPECT_EQ(taken, GetParam().taken);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Sequencer,
    ::testing::Values(
        SequencerCase{"InOrderFromTheFirstLine", {{'L', "a:1"}, {'L', "a:2"}, {'L', "a:3"}}, "111"},
        SequencerCase{"LineSentAgainAfterAnOutage", {{'L', "a:1"}, {'L', "a:2"}, {'L', "a:2"}, {'L', "a:3"}}, "1101"},
        SequencerCase{"LateJoinerTakesTheRetainedBurstFirst", {{'R', "a:10"}, {'L', "a:11"}, {'L', "a:12"}}, "111"},
        SequencerCase{"LinesMissedBeforeTheSubscriptionAreMendedByTheNextBurst",
                      {{'R', "a:10"}, {'L', "a:13"}, {'B', "a:13"}, {'L', "a:14"}, {'B', "a:14"}},
                      "11110"},
        SequencerCase{"LiveBurstWithNothingMissingIsSkipped", {{'L', "a:1"}, {'L', "a:2"}, {'B', "a:2"}}, "110"},
        SequencerCase{"StaleRetainedBurstAfterResubscribingIsSkipped",
                      {{'R', "a:3"}, {'L', "a:4"}, {'L', "a:5"}, {'R', "a:4"}},
                      "1110"},
        SequencerCase{"RetainedBurstAheadOfTheLinesSeenIsTaken",
                      {{'L', "a:1"}, {'L', "a:2"}, {'R', "a:7"}, {'L', "a:7"}, {'L', "a:8"}},
                      "11101"},
        SequencerCase{
            "RestartedPublisherNumbersAfresh", {{'L', "a:5"}, {'L', "a:6"}, {'L', "b:1"}, {'L', "b:2"}}, "1111"},
        SequencerCase{"JoinedWithoutABurstTakesTheNextOne", {{'L', "a:5"}, {'L', "a:6"}, {'B', "a:6"}}, "111"},
        SequencerCase{"MessagesWithoutNumbersPass", {{'L', ""}, {'L', "junk"}, {'B', ""}, {'R', ""}}, "1101"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LineOutbox, UnacknowledgedLinesGoBackInFrontInTheirOrder)
{
    LineOutbox outbox;
    for (const char* line : {"1", "2", "3", "4"})
        outbox.push("t/feed", line);
    outbox.markSent(11);
    outbox.markSent(12);
    outbox.markSent(13);
    EXPECT_TRUE(outbox.acknowledge(11));
    EXPECT_FALSE(outbox.acknowledge(99));
    outbox.requeue();
    QList<QByteArray> order;
    while (const LineOutbox::Entry* next = outbox.nextWaiting()) {
        order << next->line + ':' + QByteArray::number(static_cast<qulonglong>(next->sequence));
        outbox.markSent(static_cast<int>(next->sequence));
    }
    EXPECT_EQ(order, QList<QByteArray>({"2:2", "3:3", "4:4"}));
    EXPECT_EQ(outbox.dropped(), 0u);
}

TEST(LineOutbox, BeyondItsCapacityTheOldestLinesAreDroppedAndCounted)
{
    LineOutbox outbox(3);
    outbox.push("t", "1");
    outbox.markSent(1); // handed over, not acknowledged: still the oldest
    for (const char* line : {"2", "3", "4", "5"})
        outbox.push("t", line);
    EXPECT_EQ(outbox.dropped(), 2u);
    EXPECT_EQ(outbox.unacknowledged(), 0u);
    EXPECT_EQ(outbox.waiting(), 3u);
    EXPECT_EQ(outbox.nextWaiting()->line, "3");
    EXPECT_EQ(outbox.lastSequence(), 5u);
}

} // namespace
} // namespace kav
