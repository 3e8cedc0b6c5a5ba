#pragma once

#include <QByteArray>
#include <QList>

#include <cstdint>
#include <map>
#include <optional>

namespace kav {

// A publisher's number on a message: its session (new each time the publisher starts) and the number
// of the last feed line the message carries or covers, written "session:number".
struct FeedSequence {
    QByteArray instance;
    std::uint64_t number = 0;

    static std::optional<FeedSequence> parse(const QByteArray& text);
    QByteArray text() const;
};

// Puts a subscriber's feed lines and state bursts in order, as market-data feeds do with snapshots:
// lines are processed in sequence, each once (one sent again after an outage is skipped). After a gap,
// or on joining without a burst, the lines that follow are held back until a burst covers the gap; then
// the burst is processed and the held lines after it. A burst that covers nothing new is skipped. A
// new session starts everything afresh.
class FeedSequencer {
public:
    static constexpr std::size_t kMaxHeld = 20000; // lines held while waiting for a burst

    // What to process now, in order: the line, or nothing while a gap is open.
    QList<QByteArray> takeLine(const FeedSequence& sequence, const QByteArray& line);
    // What to process now: the burst and the held lines after it, or nothing when it is of no use.
    QList<QByteArray> takeBurst(const FeedSequence& sequence, const QByteArray& burst);

    std::uint64_t duplicates() const { return m_duplicates; }
    std::uint64_t gaps() const { return m_gaps; }
    // The lines that never arrived: skipped over by a gap, dropped from the held ones, or covered by a
    // burst ahead of every line seen.
    std::uint64_t linesMissed() const { return m_linesMissed; }
    // A gap, or the join, waits for a burst.
    bool awaitingBurst() const { return !m_last || !m_held.empty(); }

private:
    void follow(const QByteArray& instance);
    void hold(std::uint64_t number, const QByteArray& line);
    void release(QList<QByteArray>& out);

    QByteArray m_instance;
    std::optional<std::uint64_t> m_last; // the last line processed or covered by a burst
    std::map<std::uint64_t, QByteArray> m_held;
    std::uint64_t m_duplicates = 0;
    std::uint64_t m_gaps = 0;
    std::uint64_t m_linesMissed = 0;
};

} // namespace kav
