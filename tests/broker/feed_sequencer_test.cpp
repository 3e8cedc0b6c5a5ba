#include <gtest/gtest.h>

#include <QList>

#include "case_table.h"
#include "feed_history.h"
#include "feed_sequencer.h"
#include "line_outbox.h"
#include "session_follower.h"
#include "topic_names.h"

namespace kav {
namespace {

// The cases' messages and what is handed on are written out in the table's file.
TEST(FeedSequencer, ProcessesEachLineOnceAndMendsGapsFromTheHistoryOrElseTheNextBurst)
{
    for (const auto& row : readCaseTable(KAV_TEST_DATA "/broker/sequencer_cases.txt")) {
        FeedSequencer sequencer(3);
        QByteArrayList processed;
        for (const QByteArray& message : QByteArray::fromStdString(row.at(1)).split(' ')) {
            const QByteArrayList range = message.mid(message.indexOf(':') + 1).split('-');
            const FeedSequence sequence{message.mid(1, 1), range[0].toULongLong()};
            if (message[0] == 'H') {
                std::vector<QByteArray> lines;
                for (int line = range[0].toInt(); line <= range.last().toInt(); ++line)
                    lines.push_back(QByteArray::number(line));
                ASSERT_TRUE(sequencer.takeHistory(sequence, lines, processed)) << row[0];
                continue;
            }
            processed << (message[0] == 'L' ? sequencer.takeLine(sequence, range[0])
                                            : sequencer.takeBurst(sequence, 'B' + range[0]));
        }
        EXPECT_EQ(processed.join(' ').toStdString(), row.at(2)) << row[0];
        EXPECT_EQ(sequencer.linesMissed(), std::stoull(row.at(3))) << row[0];
    }
    EXPECT_EQ(FeedSequence::parse("no number"), std::nullopt);
    // A history beyond its bound, forged or not, is not kept.
    FeedSequencer sequencer;
    QList<QByteArray> out;
    EXPECT_FALSE(sequencer.takeHistory({"a", 2}, {QByteArray(FeedSequencer::kMaxHistoryBytes + 1, 'x')}, out));
    EXPECT_TRUE(sequencer.takeHistory({"a", 2}, {QByteArray(10, 'x')}, out));
}

// Chunks fill to their line or byte bound and stay as they are; only the last one grows. A full chunk
// goes to the broker once, the last one when the next burst goes; its lines come back as they went in.
TEST(FeedHistory, KeepsTheSessionsLinesInChunksThatFillAndStay)
{
    FeedHistory history;
    const QByteArray longLine(FeedHistory::kChunkBytes - 12, 'x'); // the chunk one byte short of full
    const struct {
        std::uint64_t sequence;
        QByteArray line;
        const char* chunks; // each chunk as first line:lines, '*' when it is to be sent
    } steps[] = {
        {1, "$F,1\n", "1:1"},        {3, "$F,3", "1:1"}, // not the next line: ignored
        {2, "$F,2", "1:2"},          {3, longLine, "1:3"},
        {4, "$F,4\r\n", "1:3* 4:1"}, // over the byte bound: the full chunk is sent once
    };
    for (const auto& step : steps) {
        history.append(step.sequence, step.line);
        QStringList chunks;
        for (const FeedHistory::Chunk& chunk : history.chunks())
            chunks << QStringLiteral("%1:%2%3").arg(chunk.firstSequence).arg(chunk.lines).arg(chunk.dirty ? "*" : "");
        EXPECT_EQ(chunks.join(' ').toStdString(), step.chunks) << step.sequence;
    }
    history.markTailDirty();
    EXPECT_TRUE(history.chunks().back().dirty);
    EXPECT_EQ(historyLines(history.chunks().front().text), (std::vector<QByteArray>{"$F,1", "$F,2", longLine}));
    EXPECT_EQ(historyLines(history.chunks().back().text), (std::vector<QByteArray>{"$F,4\r"}));
    for (auto& chunk : history.chunks())
        chunk.dirty = false;
    history.markTailDirty(); // nothing new since
    EXPECT_FALSE(history.anyDirty());
    for (std::uint64_t sequence = 5; sequence < 4 + 2 * FeedHistory::kChunkLines; ++sequence)
        history.append(sequence, "$F");
    ASSERT_EQ(history.chunks().size(), 3u);
    EXPECT_EQ(history.chunks()[1].lines, FeedHistory::kChunkLines);
    EXPECT_EQ(history.chunks()[2].firstSequence, 4u + FeedHistory::kChunkLines);
    EXPECT_EQ(historyChunkOf(historyTopicOf("brenmoor/race", 0)), 0);
    EXPECT_EQ(historyChunkOf("kavendor/x/history/12"), 12);
    for (const char* topic : {"brenmoor/race/feed", "brenmoor/history", "a/history/-1"})
        EXPECT_EQ(historyChunkOf(topic), -1) << topic;
}

// Full, it drops the oldest line, even one handed over but not acknowledged; a broken connection
// sends the unacknowledged lines again ahead of the waiting ones.
TEST(LineOutbox, DropsTheOldestWhenFullAndRequeuesUnacknowledgedLinesInFront)
{
    LineOutbox outbox(3);
    outbox.push("t", "1");
    outbox.markSent(1);
    for (const char* line : {"2", "3", "4", "5"})
        outbox.push("t", line);
    EXPECT_EQ(outbox.dropped(), 2u);
    EXPECT_EQ(outbox.unacknowledged(), 0u);
    EXPECT_EQ(outbox.lastSequence(), 5u);
    outbox.markSent(13);
    outbox.markSent(14);
    EXPECT_TRUE(outbox.acknowledge(13));
    EXPECT_FALSE(outbox.acknowledge(99));
    outbox.requeue();
    QList<QByteArray> order;
    while (const LineOutbox::Entry* next = outbox.nextWaiting()) {
        order << next->line + ':' + QByteArray::number(static_cast<qulonglong>(next->sequence));
        outbox.markSent(static_cast<int>(next->sequence));
    }
    EXPECT_EQ(order, QList<QByteArray>({"4:4", "5:5"}));
}

// The events and the sessions followed are written out in the table's file.
TEST(SessionFollower, FollowsTheNewestLiveSession)
{
    for (const auto& row : readCaseTable(KAV_TEST_DATA "/broker/follower_cases.txt")) {
        SessionFollower follower;
        QByteArrayList followed;
        for (const QByteArray& event : QByteArray::fromStdString(row.at(1)).split(' ')) {
            const QByteArray session = makeSessionId(event.mid(1).toLongLong(), 7);
            if (event[0] == 'M' && !follower.accept(session)) {
                followed << ".";
                continue;
            }
            if (event[0] != 'M')
                follower.noteStatus(session, event[0] == '+');
            followed << QByteArray::number(sessionStart(follower.followed()));
        }
        EXPECT_EQ(followed.join(' ').toStdString(), row.at(2)) << row[0];
    }
    EXPECT_EQ(sessionStart("no-dash"), 0);
}

TEST(TopicLevel, MakesARunNameSafeForATopic)
{
    EXPECT_EQ(topicLevelOf(QStringLiteral("Race 1 - Brenmoor Cup")), QStringLiteral("race-1-brenmoor-cup"));
    EXPECT_EQ(topicLevelOf(QStringLiteral("Ødegaard/Cup #2+")), QStringLiteral("ødegaard-cup-2"));
    EXPECT_EQ(topicLevelOf(QStringLiteral(" +#/ ")), QStringLiteral("no-run"));
    EXPECT_EQ(automaticTopicPrefix(QString()), QStringLiteral("kavendor/no-run"));
}

} // namespace
} // namespace kav
