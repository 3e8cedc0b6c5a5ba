#include <gtest/gtest.h>

#include <QList>

#include "feed_sequencer.h"
#include "line_outbox.h"
#include "session_follower.h"

namespace kav {
namespace {

// Each message as the subscriber gets it: 'L' a feed line, 'B' a live burst, 'R' a retained burst, with
// its sequence; taken: '1' for each message processed, '0' for each skipped.
TEST(FeedSequencer, TakesEachLineOnceAndMendsGapsWithBursts)
{
    const struct {
        const char *name, *messages, *taken;
    } cases[] = {
        {"line sent again after an outage", "La:1 La:2 La:2 La:3", "1101"},
        {"lines missed before subscribing mended by the next burst", "Ra:10 La:13 Ba:13 La:14 Ba:14", "11110"},
        {"stale retained burst after resubscribing", "Ra:3 La:4 La:5 Ra:4", "1110"},
        {"retained burst ahead of the lines seen", "La:1 La:2 Ra:7 La:7 La:8", "11101"},
        {"restarted publisher numbers afresh", "La:5 La:6 Lb:1 Lb:2", "1111"},
        {"joined without a burst takes the next one", "La:5 La:6 Ba:6", "111"},
        {"messages without numbers pass", "L Ljunk B R", "1101"},
    };
    for (const auto& row : cases) {
        FeedSequencer sequencer;
        std::string taken;
        for (const QByteArray& message : QByteArray(row.messages).split(' ')) {
            const QByteArray sequence = message.mid(1);
            taken += (message[0] == 'L' ? sequencer.acceptLine(sequence)
                                        : sequencer.acceptBurst(sequence, message[0] == 'R'))
                         ? '1'
                         : '0';
        }
        EXPECT_EQ(taken, row.taken) << row.name;
    }
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

} // namespace
} // namespace kav
