#include <gtest/gtest.h>

#include <QList>

#include "feed_history.h"
#include "feed_sequencer.h"
#include "line_outbox.h"
#include "session_follower.h"
#include "topic_names.h"

namespace kav {
namespace {

// Each message as the subscriber gets it: 'L' a feed line, 'B' a burst, with its session and number;
// 'H' a history chunk, its session and its first and last line numbers ("Ha:3-5").
// processed: what is handed on, in order (a line by its number, a burst as B and its number).
TEST(FeedSequencer, ProcessesEachLineOnceAndMendsGapsFromTheHistoryOrElseTheNextBurst)
{
    const struct {
        const char *name, *messages, *processed;
        std::uint64_t missed;
    } cases[] = {
        {"line sent again after an outage", "La:1 La:2 La:2 La:3", "1 2 3", 0},
        {"gap: later lines held until a burst covers it", "La:1 La:2 La:5 La:6 Ba:2 Ba:4 La:7", "1 2 B4 5 6 7", 2},
        {"joined late: held until a burst reaches the first line", "La:5 La:6 Ba:3 Ba:6 La:7", "B6 7", 0},
        {"retained burst at the join, then the lines after it", "Ba:10 La:10 La:11", "B10 11", 0},
        {"burst older than every line seen", "La:1 La:2 Ba:1 Ba:2", "1 2", 0},
        {"burst ahead of every line seen", "La:1 Ba:3 La:2 La:4", "1 B3 4", 2},
        {"restarted publisher numbers afresh", "Ba:3 La:4 Lb:1 Lb:2", "B3 4 1 2", 0},
        {"a line that joins the history to the held ones", "La:1 La:2 La:5 Ha:3-3 La:4 La:6", "1 2 3 4 5 6", 0},
        {"a burst over held lines counts only the lines never seen", "La:1 La:3 Ba:3 La:4", "1 B3 4", 1},
        {"lines held past the store's size are missed", "La:1 La:3 La:4 La:5 La:6 Ba:3", "1 B3 4 5 6", 2},
        {"joined late: the history from the first line", "La:5 La:6 Ha:1-4 Ba:6 La:7", "1 2 3 4 5 6 7", 0},
        {"gap filled from the history, its burst skipped", "La:1 La:2 La:5 Ha:1-4 Ba:5 La:6", "1 2 3 4 5 6", 0},
        {"a burst waits while the history reaches the gap", "Ha:1-2 La:4 Ba:4 Ha:3-4 La:5", "1 2 3 4 5", 0},
        {"chunks out of order", "Ha:3-4 La:5 Ha:1-2 La:6", "1 2 3 4 5 6", 0},
        {"a history short of the gap leaves it to the burst", "Ha:1-2 La:1 La:2 La:3 La:6 Ba:5", "1 2 3 B5 6", 2},
        {"a history of the session before is of no use", "Ha:1-3 Lb:2 Bb:2 Lb:3", "1 2 3 B2 3", 0},
    };
    for (const auto& row : cases) {
        FeedSequencer sequencer(3);
        QByteArrayList processed;
        for (const QByteArray& message : QByteArray(row.messages).split(' ')) {
            const QByteArrayList range = message.mid(message.indexOf(':') + 1).split('-');
            const FeedSequence sequence{message.mid(1, 1), range[0].toULongLong()};
            if (message[0] == 'H') {
                std::vector<QByteArray> lines;
                for (int line = range[0].toInt(); line <= range.last().toInt(); ++line)
                    lines.push_back(QByteArray::number(line));
                ASSERT_TRUE(sequencer.takeHistory(sequence, lines, processed)) << row.name;
                continue;
            }
            processed << (message[0] == 'L' ? sequencer.takeLine(sequence, range[0])
                                            : sequencer.takeBurst(sequence, 'B' + range[0]));
        }
        EXPECT_EQ(processed.join(' ').toStdString(), row.processed) << row.name;
        EXPECT_EQ(sequencer.linesMissed(), row.missed) << row.name;
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

// Events as a display gets them: '+' a session online, '-' offline, 'M' a line or burst; sessions are named
// by their start time. followed: the session followed after each event; '.' a message ignored.
TEST(SessionFollower, FollowsTheNewestLiveSession)
{
    const struct {
        const char *name, *events, *followed;
    } cases[] = {
        {"leftovers of ended runs, one live", "-1 -3 +2 M1 M3 M2", "1 3 2 . . 2"},
        {"joined after the finish follows the last run", "-1 -3 M3 M1", "1 3 3 ."},
        {"a newer session takes over", "+1 M1 M2 M1 +1", "1 1 2 . 2"},
        {"the followed session ending stays followed", "+2 M2 -2 -1 M1", "2 2 2 2 ."},
        {"an older live session beats a newer ended one", "-3 +2 M2 M3", "3 2 2 ."},
        {"no status at all: the newest message", "M2 M1 M4", "2 . 4"},
    };
    for (const auto& row : cases) {
        SessionFollower follower;
        QByteArrayList followed;
        for (const QByteArray& event : QByteArray(row.events).split(' ')) {
            const QByteArray session = makeSessionId(event.mid(1).toLongLong(), 7);
            if (event[0] == 'M' && !follower.accept(session)) {
                followed << ".";
                continue;
            }
            if (event[0] != 'M')
                follower.noteStatus(session, event[0] == '+');
            followed << QByteArray::number(sessionStart(follower.followed()));
        }
        EXPECT_EQ(followed.join(' ').toStdString(), row.followed) << row.name;
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
